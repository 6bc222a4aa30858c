#pragma once
// The list of the payment types.

#include "app/ViewFrame.h"

class TfPayment : public ViewFrame {
    Q_OBJECT
public:
    explicit TfPayment(QWidget* parent = nullptr);
    void FrameEnter() override;
};
