#pragma once
// The list of the currency table: slots 1 to 10 with code, name, rate and the two marks.

#include "lists/ListFrame.h"

class TfCurrency : public ListFrame {
    Q_OBJECT
public:
    explicit TfCurrency(QWidget* parent = nullptr);
    void FrameEnter() override;
};
