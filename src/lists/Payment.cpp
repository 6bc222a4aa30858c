#include "lists/Payment.h"

#include "app/ListGrid.h"

TfPayment::TfPayment(QWidget* parent) : ViewFrame(parent) {
    setObjectName(QStringLiteral("fPayment"));
    grid = new ListGrid(this);
}

void TfPayment::FrameEnter() {}
