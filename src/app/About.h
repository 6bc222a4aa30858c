#pragma once

#include <QDialog>

class TfAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfAbout(QWidget* parent = nullptr);
};
