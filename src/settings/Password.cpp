#include "settings/Password.h"

#include "platform/QtText.h"
#include "settings/Global.h"
#include "settings/Setup.h"
#include "widgets/Dialogs.h"
#include "widgets/FormPlacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>

TfPassword* fPassword = nullptr;

TfPassword::TfPassword(QWidget* parent)
    : QDialog(parent), Label1(new QLabel(this)), ePass(new QLineEdit(this)),
      bOK(new QPushButton(this)), Button2(new QPushButton(this)) {
    SetUpDialogForm(this, "fPassword", "Ledra", "MS Sans Serif");

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("Password:"));
    ePass->setObjectName(QStringLiteral("ePass"));
    ePass->setEchoMode(QLineEdit::Password);
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setText(QStringLiteral("&OK"));
    bOK->setDefault(true);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setText(QStringLiteral("&Cancel"));
    Button2->setAutoDefault(false);

    setTabOrder(ePass, bOK);
    setTabOrder(bOK, Button2);

    connect(bOK, &QPushButton::clicked, this, [this] { Guarded([this] { bOKClick(); }); });
    // Cancel, Escape and the close box all end in reject(): the result Cancel.
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    layoutControls();
}

// Drawn for MS Sans Serif; where the system's font is wider the box moves right and the
// prompt grows rather than cutting the label.
void TfPassword::layoutControls() {
    const QFontMetrics fm(font());
    const int labelWidth = std::max(49, fm.horizontalAdvance(Label1->text()));
    const int editLeft = std::max(72, 16 + labelWidth + 7);
    const int editWidth = 217;
    const int editHeight = std::max(21, ePass->sizeHint().height());
    ePass->setGeometry(editLeft, 16, editWidth, editHeight);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setGeometry(16, 16 + (editHeight - fm.height()) / 2, labelWidth, fm.height());

    const int buttonWidth = std::max({75, bOK->sizeHint().width(), Button2->sizeHint().width()});
    const int buttonHeight = std::max(25, bOK->sizeHint().height());
    const int width = std::max(300, editLeft + editWidth + 11);
    const int height = std::max(147, 16 + editHeight + 50 + buttonHeight + 10);
    const int buttonTop = height - 10 - buttonHeight;
    Button2->setGeometry(width - 9 - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    bOK->setGeometry(width - 14 - 2 * buttonWidth, buttonTop, buttonWidth, buttonHeight);
    setFixedSize(width, height);
}

void TfPassword::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(this);
    FormShow();
    ePass->setFocus();
}

void TfPassword::FormShow() {
    // A load that stops at an unreadable date has read the password keys already; the
    // expected password must be taken all the same, or a damaged date would open the door.
    Guarded([] { fSetup->LoadSettings(); });
    ExpectedPassword = fSetup->storedPlainPassword();
}

void TfPassword::bOKClick() {
    if (toAnsi(ePass->text()) == ExpectedPassword && fromAnsi(ExpectedPassword) == ePass->text()) {
        accept();
        return;
    }
    Dialogs::beep();
    Dialogs::message(QStringLiteral("Wrong password!"), this);
    ePass->setFocus();
}
