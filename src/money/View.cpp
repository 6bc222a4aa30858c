#include "money/View.h"

#include "widgets/FormPlacement.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

TfView* fView = nullptr;

namespace {

constexpr int kLabelLeft = 8, kLabelWidth = 140, kBoxLeft = 156, kBoxWidth = 185, kRowHeight = 21;

QLabel* caption(QWidget* parent, const char* text, int top) {
    auto* l = new QLabel(QLatin1String(text), parent);
    l->setGeometry(kLabelLeft, top, kLabelWidth, kRowHeight);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit* box(QLineEdit* e, const char* name, int top, int width = kBoxWidth) {
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setGeometry(kBoxLeft, top, width, kRowHeight);
    return e;
}

QFrame* divider(QWidget* parent, int top) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(8, top, 340, 4);
    return f;
}

} // namespace

TfView::TfView(QWidget* parent)
    : QDialog(parent), lCat(new QLabel(QStringLiteral("Category"), this)),
      eDate(new QLineEdit(this)), eType(new QLineEdit(this)), ePay(new QLineEdit(this)),
      eAmount(new QLineEdit(this)), lCurr(new QLabel(QStringLiteral("$$$"), this)),
      eNote(new QPlainTextEdit(this)), Button1(new QPushButton(QStringLiteral("&OK"), this)) {
    SetUpDialogForm(this, "fView", "Transaction", "MS Sans Serif");
    setFixedSize(356, 265);

    lCat->setObjectName(QStringLiteral("lCat"));
    lCat->setGeometry(8, 6, 340, 18);
    lCat->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = lCat->font();
    bold.setBold(true);
    lCat->setFont(bold);
    divider(this, 28);

    caption(this, "Date:", 38);
    box(eDate, "eDate", 38);
    caption(this, "Transaction type:", 62);
    box(eType, "eType", 62);
    caption(this, "Payment type:", 86);
    box(ePay, "ePay", 86);
    caption(this, "Ammount:", 110);
    box(eAmount, "eAmount", 110, 130);
    eAmount->setAlignment(Qt::AlignRight);
    lCurr->setObjectName(QStringLiteral("lCurr"));
    lCurr->setGeometry(kBoxLeft + 136, 110, 52, kRowHeight);
    lCurr->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    caption(this, "Note:", 134);
    eNote->setObjectName(QStringLiteral("eNote"));
    eNote->setReadOnly(true);
    eNote->setGeometry(kBoxLeft, 134, kBoxWidth, 89);

    divider(this, 228);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry((356 - 75) / 2, 235, 75, 25);
    Button1->setDefault(true);
    // Enter and Escape both close the dialog; nothing here is ever saved.
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TfView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CentreOnScreen(this);
}
