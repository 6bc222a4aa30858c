#include "filter/Filter.h"

#include "filter/DatePicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

TfFilter::TfFilter(QWidget* parent)
    : QDialog(parent), cbTrans(new QComboBox(this)), cbPay(new QComboBox(this)),
      cbCurr(new QComboBox(this)), dFrom(new DatePicker(this)), dTo(new DatePicker(this)),
      cbFilter(new QCheckBox(this)), bOK(new QPushButton(this)), bCancel(new QPushButton(this)),
      bClear(new QPushButton(this)) {
    setObjectName(QStringLiteral("fFilter"));
    for (QComboBox* cb : {cbTrans, cbPay, cbCurr}) {
        cb->setEditable(true);
        cb->setInsertPolicy(QComboBox::NoInsert);
    }
    cbTrans->setObjectName(QStringLiteral("cbTrans"));
    cbPay->setObjectName(QStringLiteral("cbPay"));
    cbCurr->setObjectName(QStringLiteral("cbCurr"));
    dFrom->setObjectName(QStringLiteral("dFrom"));
    dTo->setObjectName(QStringLiteral("dTo"));
    cbFilter->setObjectName(QStringLiteral("cbFilter"));
}
