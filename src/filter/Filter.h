#pragma once
// The filter dialog. The filter state lives in its controls for the whole run.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class DatePicker;

class TfFilter : public QDialog {
    Q_OBJECT
public:
    explicit TfFilter(QWidget* parent = nullptr);

    QComboBox* cbTrans;
    QComboBox* cbPay;
    QComboBox* cbCurr;
    DatePicker* dFrom;
    DatePicker* dTo;
    QCheckBox* cbFilter;
    QPushButton* bOK;
    QPushButton* bCancel;
    QPushButton* bClear;
};
