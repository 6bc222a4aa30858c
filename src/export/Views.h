#pragma once
// The viewer's four views, numbered as the main window counts them (its ActiveView) and as
// ledra-export names them.

enum class View { Money = 0, Types = 1, Payment = 2, Currency = 3 };

// The view's default file name ("Ledra_Money.CSV" ... "Ledra_Currency.CSV"); null for a value
// that names no view.
const char* DefaultExportFileName(int activeView);
