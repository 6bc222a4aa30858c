#pragma once
// Program-wide data: the four databases owned by the main window, the one shared currency
// table and the display currency with the last totals. Each form's own pointer is declared
// beside its class.

#include "pdb/Records.h"

#include <string>

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
