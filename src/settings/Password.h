#pragma once
// The start-up password prompt.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TfPassword : public QDialog {
    Q_OBJECT
public:
    explicit TfPassword(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* ePass;
    QPushButton* bOK;
    QPushButton* Button2;

    void bOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void layoutControls();
};

// The one instance, created with the other forms (app/Forms); null before and after.
extern TfPassword* fPassword;
