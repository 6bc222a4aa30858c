#include "export/Export.h"

#include "export/CsvWriter.h"
#include "platform/LedraError.h"
#include "platform/QtText.h"
#include "settings/Global.h"
#include "settings/SettingsBlock.h"
#include "widgets/Dialogs.h"
#include "widgets/FormPlacement.h"
#include "widgets/ListGrid.h"
#include "widgets/ViewFrame.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

#include <algorithm>

TfExport* fExport = nullptr;

const char* DefaultExportFileName(int activeView) {
    switch (activeView) {
    case 0:
        return "Ledra_Money.CSV";
    case 1:
        return "Ledra_Types.CSV";
    case 2:
        return "Ledra_Payment.CSV";
    case 3:
        return "Ledra_Currency.CSV";
    default:
        return nullptr;
    }
}

QString ExportFolderPart(const QString& path) {
    // The stored paths may come from either kind of system, so every separator counts.
    for (qsizetype i = path.size(); i > 0; --i) {
        const QChar c = path[i - 1];
        if (c == QLatin1Char('\\') || c == QLatin1Char(':') || c == QLatin1Char('/'))
            return path.left(i);
    }
    return {};
}

QString ProposeExportPath(const QString& current, int activeView) {
    const char* name = DefaultExportFileName(activeView);
    if (!name)
        return current;
    return ExportFolderPart(current) + QLatin1String(name);
}

TfExport::TfExport(QWidget* parent)
    : QDialog(parent), Label1(new QLabel(this)), eFile(new QLineEdit(this)),
      sbBrowse(new QToolButton(this)), cbHeader(new QCheckBox(this)), Bevel1(new QFrame(this)),
      bOK(new QPushButton(this)), bCancel(new QPushButton(this)) {
    SetUpDialogForm(this, "fExport", "Export to (*CSV)", "MS Sans Serif");
    setFixedSize(561, 107);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("Export To:"));
    Label1->setGeometry(8, 16, 49, 13);

    eFile->setObjectName(QStringLiteral("eFile"));
    eFile->setGeometry(64, 13, 457, 21);

    sbBrowse->setObjectName(QStringLiteral("sbBrowse"));
    sbBrowse->setText(QStringLiteral("..."));
    QFont bold = font();
    bold.setBold(true);
    sbBrowse->setFont(bold);
    sbBrowse->setAutoRaise(true);
    sbBrowse->setFocusPolicy(Qt::NoFocus);
    sbBrowse->setGeometry(528, 12, 23, 22);

    cbHeader->setObjectName(QStringLiteral("cbHeader"));
    cbHeader->setText(QStringLiteral("Export Header"));
    cbHeader->setChecked(true);
    cbHeader->setGeometry(64, 40, 97, 17);

    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 64, 545, 2);

    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setText(QStringLiteral("&Export"));
    bOK->setDefault(true);
    bOK->setGeometry(368, 72, 75, 25);

    bCancel->setObjectName(QStringLiteral("bCancel"));
    bCancel->setText(QStringLiteral("&Cancel"));
    bCancel->setGeometry(448, 72, 75, 25);

    // Where the designed face is missing, the stand-in may be wider: captions get the room they
    // need, and the edit box gives way to the label, keeping its right edge.
    const int labelWidth = std::max(Label1->width(), Label1->sizeHint().width());
    Label1->resize(labelWidth, std::max(Label1->height(), Label1->sizeHint().height()));
    const int editLeft = std::max(eFile->x(), Label1->x() + labelWidth + 4);
    eFile->setGeometry(editLeft, eFile->y(), eFile->geometry().right() + 1 - editLeft,
                       eFile->height());
    cbHeader->setGeometry(editLeft, cbHeader->y(),
                          std::max(cbHeader->width(), cbHeader->sizeHint().width()),
                          std::max(cbHeader->height(), cbHeader->sizeHint().height()));

    Label1->setFocusPolicy(Qt::NoFocus);
    Bevel1->setFocusPolicy(Qt::NoFocus);
    setTabOrder(eFile, bOK);
    setTabOrder(bOK, bCancel);
    setTabOrder(bCancel, cbHeader);

    connect(sbBrowse, &QToolButton::clicked, this,
            [this] { Guarded([this] { sbBrowseClick(); }); });
    connect(bOK, &QPushButton::clicked, this, [this] {
        Guarded([this] { bOKClick(); });
        accept();
    });
    // Cancel, Escape and the close box all end the dialog through reject().
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);

    SettingsBlock& block = SharedSettingsBlock();
    block.bind(
        keys::ExportPath, this, [this] { return SettingValue(PathSetting()); },
        [this](const SettingValue& v) { SetPathSetting(std::get<std::string>(v)); });
    block.bind(
        keys::Header, this, [this] { return SettingValue(cbHeader->isChecked()); },
        [this](const SettingValue& v) { cbHeader->setChecked(std::get<bool>(v)); });
}

TfExport::~TfExport() {
    SharedSettingsBlock().unbind(this);
}

std::string TfExport::PathSetting() const {
    return QFile::encodeName(eFile->text()).toStdString();
}

void TfExport::SetPathSetting(const std::string& bytes) {
    // A file written as single-byte text (bytes that are no valid UTF-8) still reads back.
    const QByteArray raw = QByteArray::fromStdString(bytes);
    const QString name = QFile::decodeName(raw);
    eFile->setText(QFile::encodeName(name) == raw ? name : fromAnsi(bytes));
}

void TfExport::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(this);
    Guarded([this] { FormShow(); });
}

void TfExport::FormShow() {
    const ViewHost* host = ViewHost::current();
    if (!host)
        return;
    eFile->setText(ProposeExportPath(eFile->text(), host->shownView()));
}

void TfExport::sbBrowseClick() {
    const QString chosen = Dialogs::saveFileName(
        {QStringLiteral("Comma Separated File (*.CSV)"), QStringLiteral("CSV")}, this);
    if (!chosen.isEmpty())
        eFile->setText(chosen);
}

void TfExport::bOKClick() {
    // The settings go first, so the chosen path and header are kept even when the write fails.
    SaveSettingsBlock();
    const ViewHost* host = ViewHost::current();
    const ListGrid* grid = host ? host->shownGrid() : nullptr;
    if (!grid)
        throw LedraError("There is no list to export");
    // Written from the rows the list holds, as it is formed: no copy of the rows or the file.
    WriteCsvFile(PathSetting(), grid->rows()->captions(), grid->rows()->cells(),
                 cbHeader->isChecked());
}
