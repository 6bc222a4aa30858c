#pragma once
// The one design behind the payment-type and the transaction-type lists; the members differ
// only in the database they read and in the caption of the name column.

#include "lists/ListFrame.h"

class TypeListFrame : public ListFrame {
    Q_OBJECT
public:
    void FrameEnter() override;

protected:
    TypeListFrame(const QString& name, TypeList which, QWidget* parent);

private:
    TypeList which_;
};
