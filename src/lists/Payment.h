#pragma once
// The list of the payment types.

#include "lists/TypeListFrame.h"

class TfPayment : public TypeListFrame {
    Q_OBJECT
public:
    explicit TfPayment(QWidget* parent = nullptr);
};
