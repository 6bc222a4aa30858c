#include "settings/Global.h"

cPDB* MoneyDb = nullptr;
cPDB* PaymentDb = nullptr;
cPDB* TypesDb = nullptr;
cPDB* CurrencyDb = nullptr;

CurrencyTable SharedCurrencyTable{};

int DisplayCurrency = 0;
double IncomeTotal = 0.0;
double ExpenseTotal = 0.0;

std::string ExpectedPassword;
