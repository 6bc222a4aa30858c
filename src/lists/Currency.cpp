#include "lists/Currency.h"

#include "settings/Global.h"

TfCurrency::TfCurrency(QWidget* parent)
    : ListFrame(QStringLiteral("fCurrency"), CurrencyListColumns(), parent) {}

void TfCurrency::FrameEnter() {
    // Reloaded on every entry so the shared table follows the open currency database.
    cPDB closed;
    LoadCurrencyTable(CurrencyDb ? *CurrencyDb : closed, SharedCurrencyTable);
    showRows(CurrencyListRows(SharedCurrencyTable));
}
