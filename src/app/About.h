#pragma once
// The About dialog: the program's icon, name and version. Its one button is both the default
// and the cancel button and always ends the dialog with the OK result.

#include <QDialog>

class QLabel;
class QPushButton;

class TfAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfAbout(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* lName;
    QLabel* lVersion;
    QPushButton* bOK;

    // Escape presses the button: the result is OK like every other end.
    void reject() override { accept(); }

protected:
    void showEvent(QShowEvent* event) override;
};

// The one instance, created with the other forms (app/Forms); null before and after.
extern TfAbout* fAbout;
