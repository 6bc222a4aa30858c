#pragma once
// The list of the transaction types.

#include "lists/TypeListFrame.h"

class TfTrans : public TypeListFrame {
    Q_OBJECT
public:
    explicit TfTrans(QWidget* parent = nullptr);
};
