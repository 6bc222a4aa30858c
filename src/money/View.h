#pragma once
// Shows one transaction of the chronological list, every field in its own read-only box.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TfView : public QDialog {
    Q_OBJECT
public:
    explicit TfView(QWidget* parent = nullptr);

    QLabel* lCat;
    QLineEdit* eDate;
    QLineEdit* eType;
    QLineEdit* ePay;
    QLineEdit* eAmount;
    QLabel* lCurr;
    QPlainTextEdit* eNote;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* event) override;
};

// The one instance, created with the other forms (app/Forms); null before and after.
extern TfView* fView;
