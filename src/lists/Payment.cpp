#include "lists/Payment.h"

TfPayment::TfPayment(QWidget* parent)
    : TypeListFrame(QStringLiteral("fPayment"), TypeList::Payment, parent) {}
