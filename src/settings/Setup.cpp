#include "settings/Setup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

TfSetup::TfSetup(QWidget* parent)
    : QDialog(parent), cbRequest(new QCheckBox(this)), ePass1(new QLineEdit(this)),
      ePass2(new QLineEdit(this)), bOK(new QPushButton(this)), bCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("fSetup"));
    cbRequest->setObjectName(QStringLiteral("cbRequest"));
    ePass1->setObjectName(QStringLiteral("ePass1"));
    ePass2->setObjectName(QStringLiteral("ePass2"));
}

void TfSetup::LoadSettings() {}
void TfSetup::SaveSettings() {}
