#include "filter/Filter.h"

#include "filter/DatePicker.h"
#include "platform/QtText.h"
#include "settings/Global.h"
#include "settings/SettingsBlock.h"
#include "widgets/Dialogs.h"
#include "widgets/FormPlacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

TfFilter* fFilter = nullptr;

namespace {

QLabel* label(QWidget* parent, const char* name, const char* text, int top) {
    auto* l = new QLabel(QLatin1String(text), parent);
    l->setObjectName(QLatin1String(name));
    // Right-aligned against the input column at x = 104. They start at the left edge and end
    // a little after the classic x = 94, so that no caption is cut with the fonts at hand.
    l->setGeometry(0, top, 98, 21);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void addNames(QComboBox* cb, const cPDB* db) {
    cb->addItem(QStringLiteral("..."));
    if (!db)
        return;
    const int n = db->GetNumRecords();
    for (int i = 0; i < n; ++i)
        cb->addItem(fromAnsi(ReadTypeRecord(db->RecordBytes(i)).Name));
}

} // namespace

TfFilter::TfFilter(QWidget* parent)
    : QDialog(parent), cbTrans(new QComboBox(this)), cbPay(new QComboBox(this)),
      cbCurr(new QComboBox(this)), dFrom(new DatePicker(this)), dTo(new DatePicker(this)),
      cbFilter(new QCheckBox(QStringLiteral("Filter is Active"), this)),
      bOK(new QPushButton(QStringLiteral("&OK"), this)),
      bCancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      bClear(new QPushButton(QStringLiteral("Clear Filter"), this)) {
    SetUpDialogForm(this, "fFilter", "Filter", "MS Sans Serif");
    setFixedSize(299, 210);

    label(this, "Label1", "Transaction Type:", 8);
    label(this, "Label2", "Payment Type:", 32);
    label(this, "Label3", "Cyrrency:", 56);
    label(this, "Label4", "From Date:", 80);
    label(this, "Label5", "To Date:", 104);

    for (QComboBox* cb : {cbTrans, cbPay, cbCurr}) {
        // The shown text is the criterion, typed or picked; typing never adds an item.
        cb->setEditable(true);
        cb->setInsertPolicy(QComboBox::NoInsert);
        cb->setDuplicatesEnabled(true);
        // Completion may finish a name but never changes the letter case of what was typed.
        cb->completer()->setCaseSensitivity(Qt::CaseSensitive);
    }
    cbTrans->setObjectName(QStringLiteral("cbTrans"));
    cbPay->setObjectName(QStringLiteral("cbPay"));
    cbCurr->setObjectName(QStringLiteral("cbCurr"));
    dFrom->setObjectName(QStringLiteral("dFrom"));
    dTo->setObjectName(QStringLiteral("dTo"));
    cbFilter->setObjectName(QStringLiteral("cbFilter"));
    bOK->setObjectName(QStringLiteral("bOK"));
    bCancel->setObjectName(QStringLiteral("bCancel"));
    bClear->setObjectName(QStringLiteral("bClear"));

    cbTrans->setGeometry(104, 8, 185, 21);
    cbPay->setGeometry(104, 32, 185, 21);
    cbCurr->setGeometry(104, 56, 185, 21);
    dFrom->setGeometry(104, 80, 185, 21);
    dTo->setGeometry(104, 104, 186, 21);
    cbFilter->setGeometry(104, 128, 185, 17);
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 166, 281, 4);
    bClear->setGeometry(8, 176, 75, 25);
    bOK->setGeometry(136, 176, 75, 25);
    bCancel->setGeometry(216, 176, 75, 25);

    bOK->setDefault(true);
    bOK->setAutoDefault(true);
    bCancel->setAutoDefault(false);
    bClear->setAutoDefault(false);
    setTabOrder(bOK, bCancel);
    setTabOrder(bCancel, bClear);
    setTabOrder(bClear, cbTrans);
    setTabOrder(cbTrans, cbPay);
    setTabOrder(cbPay, cbCurr);
    setTabOrder(cbCurr, dFrom);
    setTabOrder(dFrom, dTo);
    setTabOrder(dTo, cbFilter);

    connect(bOK, &QPushButton::clicked, this, [this] { Guarded([this] { bOKClick(); }); });
    connect(bCancel, &QPushButton::clicked, this, &TfFilter::reject);
    connect(bClear, &QPushButton::clicked, this, [this] { Guarded([this] { bClearClick(); }); });

    SettingsBlock& block = SharedSettingsBlock();
    for (auto [key, box] : {std::pair{&keys::Trans, cbTrans}, std::pair{&keys::Pay, cbPay},
                            std::pair{&keys::Curr, cbCurr}}) {
        block.bind(
            *key, this, [box] { return SettingValue(toAnsi(box->currentText())); },
            [box](const SettingValue& v) { box->setEditText(fromAnsi(std::get<std::string>(v))); });
    }
    for (auto [day, on, picker] :
         {std::tuple{&keys::From, &keys::FromOn, dFrom}, std::tuple{&keys::To, &keys::ToOn, dTo}}) {
        block.bind(
            *day, this, [picker] { return SettingValue(picker->value()); },
            [picker](const SettingValue& v) { picker->setDate(std::get<DateTimeValue>(v).day); });
        block.bind(
            *on, this, [picker] { return SettingValue(picker->isChecked()); },
            [picker](const SettingValue& v) { picker->setChecked(std::get<bool>(v)); });
    }
    block.bind(
        keys::On, this, [this] { return SettingValue(cbFilter->isChecked()); },
        [this](const SettingValue& v) { cbFilter->setChecked(std::get<bool>(v)); });
}

TfFilter::~TfFilter() {
    SharedSettingsBlock().unbind(this);
}

FilterSettings TfFilter::settings() const {
    FilterSettings f;
    f.Trans = toAnsi(cbTrans->currentText());
    f.Pay = toAnsi(cbPay->currentText());
    f.Curr = toAnsi(cbCurr->currentText());
    f.FromOn = dFrom->isChecked();
    f.From = dFrom->date();
    f.ToOn = dTo->isChecked();
    f.To = dTo->date();
    f.On = cbFilter->isChecked();
    return f;
}

void TfFilter::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // shown again by the window system (restored), not opened
    CentreOnScreen(this);
    Guarded([this] { FormShow(); });
}

void TfFilter::FormShow() {
    LoadSettingsBlock();
    if (cbTrans->count() == 0)
        fillItemLists();
}

void TfFilter::fillItemLists() {
    // Adding the first item would replace the loaded text; it is put back afterwards.
    for (QComboBox* cb : {cbTrans, cbPay, cbCurr}) {
        const QString text = cb->currentText();
        if (cb == cbTrans) {
            addNames(cb, TypesDb);
        } else if (cb == cbPay) {
            addNames(cb, PaymentDb);
        } else {
            cb->addItem(QStringLiteral("..."));
            for (int k = 1; k < pdbformat::kCurrencySlots; ++k)
                if (SharedCurrencyTable.slot[k].Favorite != 0)
                    cb->addItem(fromAnsi(SharedCurrencyTable.slot[k].code()));
        }
        cb->setEditText(text);
    }
}

void TfFilter::bClearClick() {
    for (QComboBox* cb : {cbTrans, cbPay, cbCurr}) {
        if (cb->count() == 0)
            continue;
        cb->setCurrentIndex(0);
        cb->setEditText(cb->itemText(0));
    }
    dFrom->setChecked(false);
    dTo->setChecked(false);
    cbFilter->setChecked(false);
}

void TfFilter::bOKClick() {
    SaveSettingsBlock();
    accept();
}

void TfFilter::reject() {
    Guarded([] { LoadSettingsBlock(); });
    QDialog::reject();
}
