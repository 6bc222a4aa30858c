#pragma once
// The list of the currency table.

#include "app/ViewFrame.h"

class TfCurrency : public ViewFrame {
    Q_OBJECT
public:
    explicit TfCurrency(QWidget* parent = nullptr);
    void FrameEnter() override;
};
