#include "lists/Transaction.h"

TfTrans::TfTrans(QWidget* parent)
    : TypeListFrame(QStringLiteral("fTrans"), TypeList::Types, parent) {}
