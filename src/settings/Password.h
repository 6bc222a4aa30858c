#pragma once
// The start-up password prompt.

#include <QDialog>

class QLineEdit;
class QPushButton;

class TfPassword : public QDialog {
    Q_OBJECT
public:
    explicit TfPassword(QWidget* parent = nullptr);

    QLineEdit* ePass;
    QPushButton* bOK;
    QPushButton* Button2;
};
