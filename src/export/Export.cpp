#include "export/Export.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TfExport::TfExport(QWidget* parent)
    : QDialog(parent), eFile(new QLineEdit(this)), sbBrowse(new QToolButton(this)),
      cbHeader(new QCheckBox(this)), bOK(new QPushButton(this)), bCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("fExport"));
    eFile->setObjectName(QStringLiteral("eFile"));
    cbHeader->setObjectName(QStringLiteral("cbHeader"));
}
