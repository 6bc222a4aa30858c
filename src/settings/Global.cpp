#include "settings/Global.h"

TfMain* fMain = nullptr;
TfFilter* fFilter = nullptr;
TfSetup* fSetup = nullptr;
TfAbout* fAbout = nullptr;
TfPassword* fPassword = nullptr;
TfView* fView = nullptr;
TfExport* fExport = nullptr;
TfFinance* fFinance = nullptr;

cPDB* MoneyDb = nullptr;
cPDB* PaymentDb = nullptr;
cPDB* TypesDb = nullptr;
cPDB* CurrencyDb = nullptr;

CurrencyTable SharedCurrencyTable{};

int DisplayCurrency = 0;
double IncomeTotal = 0.0;
double ExpenseTotal = 0.0;

std::string ExpectedPassword;
