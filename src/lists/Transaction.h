#pragma once
// The list of the transaction types.

#include "app/ViewFrame.h"

class TfTrans : public ViewFrame {
    Q_OBJECT
public:
    explicit TfTrans(QWidget* parent = nullptr);
    void FrameEnter() override;
};
