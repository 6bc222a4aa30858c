#pragma once
// The Options dialog; also loads and saves the "Password", "Filter" and "Export" block.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TfSetup : public QDialog {
    Q_OBJECT
public:
    explicit TfSetup(QWidget* parent = nullptr);

    void LoadSettings();
    void SaveSettings();

    QCheckBox* cbRequest;
    QLineEdit* ePass1;
    QLineEdit* ePass2;
    QPushButton* bOK;
    QPushButton* bCancel;
};
