#include "money/Money.h"

#include "app/ListGrid.h"

TfMoney::TfMoney(QWidget* parent) : ViewFrame(parent) {
    setObjectName(QStringLiteral("fMoney"));
    grid = new ListGrid(this);
}

void TfMoney::FrameEnter() {}
