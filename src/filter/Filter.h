#pragma once
// The filter dialog. The filter state lives in its controls for the whole run; the Money view
// reads it from there each time it builds its list.

#include "filter/FilterSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class DatePicker;

class TfFilter : public QDialog {
    Q_OBJECT
public:
    explicit TfFilter(QWidget* parent = nullptr);
    ~TfFilter() override;

    // The filter as the controls hold it: the combo boxes' shown texts, the pickers' check
    // boxes and days, "Filter is Active".
    FilterSettings settings() const;

    void bClearClick();
    // Cancel, Escape and the close box all end here: the saved filter is loaded back into the
    // controls, so edits that were not confirmed with OK never outlive the dialog.
    void reject() override;

    QComboBox* cbTrans;
    QComboBox* cbPay;
    QComboBox* cbCurr;
    DatePicker* dFrom;
    DatePicker* dTo;
    QCheckBox* cbFilter;
    QPushButton* bOK;
    QPushButton* bCancel;
    QPushButton* bClear;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void bOKClick();
    void fillItemLists();
};

// The one instance, created with the other forms (app/Forms); null before and after.
extern TfFilter* fFilter;
