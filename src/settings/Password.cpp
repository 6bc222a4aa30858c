#include "settings/Password.h"

#include <QLineEdit>
#include <QPushButton>

TfPassword::TfPassword(QWidget* parent)
    : QDialog(parent), ePass(new QLineEdit(this)), bOK(new QPushButton(this)),
      Button2(new QPushButton(this)) {
    setObjectName(QStringLiteral("fPassword"));
    ePass->setObjectName(QStringLiteral("ePass"));
}
