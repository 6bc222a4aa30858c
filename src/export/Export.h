#pragma once
// The export dialog: file name, header choice, and the CSV writer behind its Export button.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

class TfExport : public QDialog {
    Q_OBJECT
public:
    explicit TfExport(QWidget* parent = nullptr);

    QLineEdit* eFile;
    QToolButton* sbBrowse;
    QCheckBox* cbHeader;
    QPushButton* bOK;
    QPushButton* bCancel;
};
