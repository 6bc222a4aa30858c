#pragma once
// Program-wide objects: the forms created once at start, the four databases owned by the main
// window, the one shared currency table and the display currency with the last totals.

#include "pdb/Records.h"

#include <string>

class TfMain;
class TfFilter;
class TfSetup;
class TfAbout;
class TfPassword;
class TfView;
class TfExport;
class TfFinance;

extern TfMain* fMain;
extern TfFilter* fFilter;
extern TfSetup* fSetup;
extern TfAbout* fAbout;
extern TfPassword* fPassword;
extern TfView* fView;
extern TfExport* fExport;
extern TfFinance* fFinance;

// Open whenever the view buttons are enabled; frames and dialogs read them, never open them.
extern cPDB* MoneyDb;
extern cPDB* PaymentDb;
extern cPDB* TypesDb;
extern cPDB* CurrencyDb;

extern CurrencyTable SharedCurrencyTable;

// The slot the Money view's total is shown in, and the totals of its last list build.
extern int DisplayCurrency;
extern double IncomeTotal;
extern double ExpenseTotal;

// The unscrambled stored password that the start-up prompt compares with.
extern std::string ExpectedPassword;
