#include "lists/Currency.h"

#include "app/ListGrid.h"

TfCurrency::TfCurrency(QWidget* parent) : ViewFrame(parent) {
    setObjectName(QStringLiteral("fCurrency"));
    grid = new ListGrid(this);
}

void TfCurrency::FrameEnter() {}
