#include "lists/Transaction.h"

#include "app/ListGrid.h"

TfTrans::TfTrans(QWidget* parent) : ViewFrame(parent) {
    setObjectName(QStringLiteral("fTrans"));
    grid = new ListGrid(this);
}

void TfTrans::FrameEnter() {}
