#include "settings/Setup.h"

#include "platform/AppPaths.h"
#include "platform/IniProfile.h"
#include "platform/QtText.h"
#include "settings/Global.h"
#include "settings/Scramble.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsFile.h"
#include "widgets/Dialogs.h"
#include "widgets/FormPlacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>

TfSetup* fSetup = nullptr;

namespace {

const QString kNotIdentical = QStringLiteral("Passwords are not identical!");
const QString kCannotStore =
    QStringLiteral("This password cannot be stored. Please choose another one.");

} // namespace

TfSetup::TfSetup(QWidget* parent)
    : QDialog(parent), cbRequest(new QCheckBox(this)), Label1(new QLabel(this)),
      Label2(new QLabel(this)), ePass1(new QLineEdit(this)), ePass2(new QLineEdit(this)),
      bOK(new QPushButton(this)), bCancel(new QPushButton(this)) {
    SetUpDialogForm(this, "fSetup", "Options", "Tahoma");

    cbRequest->setObjectName(QStringLiteral("cbRequest"));
    cbRequest->setText(QStringLiteral("Request password on program start."));
    cbRequest->setChecked(false);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("Enter Password:"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setText(QStringLiteral("Re-enter Password:"));
    for (QLineEdit* e : {ePass1, ePass2}) {
        e->setMaxLength(kMaxPasswordLength);
        e->setEchoMode(QLineEdit::Password);
        e->setEnabled(true);
    }
    ePass1->setObjectName(QStringLiteral("ePass1"));
    ePass2->setObjectName(QStringLiteral("ePass2"));
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setText(QStringLiteral("&OK"));
    bOK->setDefault(true);
    bCancel->setObjectName(QStringLiteral("bCancel"));
    bCancel->setText(QStringLiteral("&Cancel"));
    bCancel->setAutoDefault(false);

    setTabOrder(cbRequest, bOK);
    setTabOrder(bOK, bCancel);
    setTabOrder(bCancel, ePass1);
    setTabOrder(ePass1, ePass2);

    // The handler runs on every change of state, also one made by a settings load.
    connect(cbRequest, &QCheckBox::toggled, this,
            [this] { Guarded([this] { cbRequestClick(); }); });
    connect(bOK, &QPushButton::clicked, this, [this] { Guarded([this] { bOKClick(); }); });
    connect(bCancel, &QPushButton::clicked, this, &TfSetup::reject);

    layoutControls();

    SettingsBlock& block = SharedSettingsBlock();
    block.bind(
        keys::Request, this, [this] { return SettingValue(cbRequest->isChecked()); },
        [this](const SettingValue& v) { cbRequest->setChecked(std::get<bool>(v)); });
    block.bind(
        keys::Password, this, [this] { return SettingValue(scrambled_); },
        [this](const SettingValue& v) {
            scrambled_ = std::get<std::string>(v);
            if (!plainShown_)
                showStoredInBoxes();
        });
}

TfSetup::~TfSetup() {
    SharedSettingsBlock().unbind(this);
}

// Drawn for Tahoma; where the system's font is wider, the label column, the boxes and the
// dialog grow with the text instead of cutting it.
void TfSetup::layoutControls() {
    const QFontMetrics fm(font());
    const int labelWidth =
        std::max({fm.horizontalAdvance(Label1->text()), fm.horizontalAdvance(Label2->text()), 96});
    const int editLeft = std::max(112, 13 + labelWidth + 3);
    const int editWidth = 193;
    const int editHeight = std::max(21, ePass1->sizeHint().height());
    const int editStep = std::max(24, editHeight + 3);
    const int edit1Top = 48;
    const int edit2Top = edit1Top + editStep;

    const QSize checkHint = cbRequest->sizeHint();
    cbRequest->setGeometry(16, 16, std::max(209, checkHint.width()),
                           std::max(17, checkHint.height()));

    ePass1->setGeometry(editLeft, edit1Top, editWidth, editHeight);
    ePass2->setGeometry(editLeft, edit2Top, editWidth, editHeight);
    const int labelHeight = fm.height();
    for (auto [label, top] : {std::pair{Label1, edit1Top}, std::pair{Label2, edit2Top}}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(editLeft - 3 - labelWidth, top + (editHeight - labelHeight) / 2,
                           labelWidth, labelHeight);
    }

    const int buttonWidth = std::max({75, bOK->sizeHint().width(), bCancel->sizeHint().width()});
    const int buttonHeight = std::max(25, bOK->sizeHint().height());
    const int width = std::max({368, editLeft + editWidth + 63, 16 + cbRequest->width() + 16});
    const int height = std::max(194, edit2Top + editHeight + 50 + buttonHeight);
    const int buttonTop = height - 9 - buttonHeight;
    bCancel->setGeometry(width - 5 - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    bOK->setGeometry(width - 10 - 2 * buttonWidth, buttonTop, buttonWidth, buttonHeight);
    setFixedSize(width, height);
}

// --- scrambling ------------------------------------------------------------------------------

void TfSetup::Scramble(unsigned char* buffer, int n) {
    ::Scramble(buffer, n);
}
void TfSetup::Unscramble(unsigned char* buffer, int n) {
    ::Unscramble(buffer, n);
}

std::string TfSetup::storedPlainPassword() const {
    if (scrambled_.size() > kMaxStoredLength)
        return {};
    return Unscrambled(scrambled_);
}

bool TfSetup::CanStore(const std::string& scrambled) {
    // The file keeps a value as far as its first zero byte or line break, and trims blanks and
    // one pair of equal quotation marks when reading: ask the file's own rules.
    if (scrambled.find('\0') != std::string::npos)
        return false;
    const std::string contents =
        ProfileWithKey(std::string(), keys::Password.section, keys::Password.key, scrambled);
    const auto back = ProfileValue(contents, keys::Password.section, keys::Password.key);
    return back && *back == scrambled;
}

// --- the boxes -------------------------------------------------------------------------------

void TfSetup::setBoxes(const QString& text) {
    // A box cuts what is put into it at its length limit; a longer stored text from a
    // hand-edited file must come through whole.
    for (QLineEdit* e : {ePass1, ePass2}) {
        e->setMaxLength(std::max(kMaxPasswordLength, static_cast<int>(text.size())));
        e->setText(text);
    }
}

void TfSetup::showStoredInBoxes() {
    plainShown_ = false;
    setBoxes(fromAnsi(scrambled_));
}

// --- handlers --------------------------------------------------------------------------------

void TfSetup::cbRequestClick() {
    const bool on = cbRequest->isChecked();
    ePass1->setEnabled(on);
    ePass2->setEnabled(on);
}

void TfSetup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // shown again by the window system (restored), not opened
    CentreOnScreen(this);
    FormShow();
}

void TfSetup::FormShow() {
    // A load that stops at an unreadable date has read the password keys already; the boxes
    // must get the plain password all the same, never the stored form.
    Guarded([this] { LoadSettings(); });
    setBoxes(fromAnsi(storedPlainPassword()));
    plainShown_ = true;
    ePass1->selectAll();
}

void TfSetup::bOKClick() {
    if (!plainShown_)
        return; // the boxes hold the stored form: nothing to scramble
    if (ePass1->text() != ePass2->text()) {
        Dialogs::message(kNotIdentical, this);
        return;
    }
    std::string buffer = toAnsi(ePass1->text());
    const bool singleByte = fromAnsi(buffer) == ePass1->text();
    Scramble(reinterpret_cast<unsigned char*>(buffer.data()), static_cast<int>(buffer.size()));
    if (!singleByte || !CanStore(buffer)) {
        // A character without a byte of its own, or scrambled bytes that the file would not
        // give back: stored, it would not come back as this password at the next start.
        Dialogs::message(kCannotStore, this);
        ePass1->setFocus();
        return;
    }
    scrambled_ = buffer;
    // A refused write ends here with the boxes still holding the plain password, so that a
    // second OK scrambles that again and never the stored form.
    SaveSettings();
    accept(); // the boxes take the stored form back as the dialog hides
}

void TfSetup::reject() {
    QDialog::reject();
    Guarded([this] { LoadSettings(); });
}

void TfSetup::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // However the dialog ends, the boxes go back to standing for the stored form.
    if (!event->spontaneous() && plainShown_)
        showStoredInBoxes();
}

// --- the settings block ----------------------------------------------------------------------

void TfSetup::LoadSettings() {
    LoadSettingsBlock();
}

void TfSetup::SaveSettings() {
    SaveSettingsBlock();
}

const std::array<bool, SettingsBlock::kKeyCount>& TfSetup::unreadKeys() const {
    return SharedSettingsBlock().unreadKeys();
}
