#include "money/View.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TfView::TfView(QWidget* parent)
    : QDialog(parent), lCat(new QLabel(this)), eDate(new QLineEdit(this)), eType(new QLineEdit(this)),
      ePay(new QLineEdit(this)), eAmount(new QLineEdit(this)), lCurr(new QLabel(this)),
      eNote(new QPlainTextEdit(this)), Button1(new QPushButton(this)) {
    setObjectName(QStringLiteral("fView"));
}
