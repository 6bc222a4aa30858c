#pragma once
// The transactions view.

#include "app/ViewFrame.h"

class TfMoney : public ViewFrame {
    Q_OBJECT
public:
    explicit TfMoney(QWidget* parent = nullptr);
    void FrameEnter() override;
};
