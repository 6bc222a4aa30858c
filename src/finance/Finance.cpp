#include "finance/Finance.h"

#include "platform/AtomicFile.h"
#include "platform/LedraError.h"
#include "settings/Global.h"
#include "settings/SettingsFile.h"
#include "widgets/Dialogs.h"
#include "widgets/FormPlacement.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

using finance::Format;

TfFinance* fFinance = nullptr;

namespace {

QString fromFileSystem(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

std::string toFileSystem(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

TfFinance::TfFinance(QWidget* parent)
    : QDialog(parent), gbFormat(new QGroupBox(this)), rbQif(new QRadioButton(gbFormat)),
      rbOfx(new QRadioButton(gbFormat)), rbHomeBank(new QRadioButton(gbFormat)),
      rbCsv(new QRadioButton(gbFormat)), lTarget(new QLabel(this)), eTarget(new QLineEdit(this)),
      sbBrowse(new QToolButton(this)), cbShown(new QCheckBox(this)), lSummary(new QLabel(this)),
      mSummary(new QPlainTextEdit(this)), bExport(new QPushButton(this)),
      bClose(new QPushButton(this)) {
    SetUpDialogForm(this, "fFinance", "Export for Finance Programs", "MS Sans Serif");

    gbFormat->setObjectName(QStringLiteral("gbFormat"));
    gbFormat->setTitle(QStringLiteral("Format"));
    auto* formats = new QVBoxLayout(gbFormat);
    const std::pair<QRadioButton*, const char*> buttons[] = {
        {rbQif, "rbQif"}, {rbOfx, "rbOfx"}, {rbHomeBank, "rbHomeBank"}, {rbCsv, "rbCsv"}};
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QLatin1String(name));
        formats->addWidget(button);
    }
    for (const finance::FormatInfo& info : finance::Formats()) {
        QRadioButton* b = buttonOf(info.format);
        b->setText(QString::fromUtf8(info.programs));
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Guarded([this] { formatChanged(); });
        });
    }

    lTarget->setObjectName(QStringLiteral("lTarget"));
    lTarget->setBuddy(eTarget);
    eTarget->setObjectName(QStringLiteral("eTarget"));
    eTarget->setMinimumWidth(360);
    sbBrowse->setObjectName(QStringLiteral("sbBrowse"));
    sbBrowse->setText(QStringLiteral("..."));
    QFont bold = font();
    bold.setBold(true);
    sbBrowse->setFont(bold);
    sbBrowse->setAutoRaise(true);
    sbBrowse->setFocusPolicy(Qt::NoFocus);

    cbShown->setObjectName(QStringLiteral("cbShown"));
    cbShown->setText(QStringLiteral("Only what the Money view shows"));

    lSummary->setObjectName(QStringLiteral("lSummary"));
    lSummary->setText(QStringLiteral("Summary:"));
    mSummary->setObjectName(QStringLiteral("mSummary"));
    mSummary->setReadOnly(true);
    mSummary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mSummary->setFixedHeight(mSummary->fontMetrics().lineSpacing() * 6 + 10);

    bExport->setObjectName(QStringLiteral("bExport"));
    bExport->setText(QStringLiteral("&Export"));
    bExport->setDefault(true);
    bClose->setObjectName(QStringLiteral("bClose"));
    bClose->setText(QStringLiteral("&Close"));

    auto* target = new QGridLayout;
    target->addWidget(lTarget, 0, 0);
    target->addWidget(eTarget, 0, 1);
    target->addWidget(sbBrowse, 0, 2);
    target->addWidget(cbShown, 1, 1, 1, 2);
    auto* buttonsRow = new QHBoxLayout;
    buttonsRow->addStretch(1);
    buttonsRow->addWidget(bExport);
    buttonsRow->addWidget(bClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbFormat);
    layout->addLayout(target);
    layout->addWidget(lSummary);
    layout->addWidget(mSummary);
    layout->addLayout(buttonsRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(rbQif, rbOfx);
    setTabOrder(rbOfx, rbHomeBank);
    setTabOrder(rbHomeBank, rbCsv);
    setTabOrder(rbCsv, eTarget);
    setTabOrder(eTarget, cbShown);
    setTabOrder(cbShown, bExport);
    setTabOrder(bExport, bClose);
    setTabOrder(bClose, mSummary);

    connect(sbBrowse, &QToolButton::clicked, this,
            [this] { Guarded([this] { sbBrowseClick(); }); });
    connect(bExport, &QPushButton::clicked, this, [this] { Guarded([this] { bExportClick(); }); });
    connect(bClose, &QPushButton::clicked, this, &QDialog::reject);

    folder_ = QDir::homePath() + QStringLiteral("/Ledra finance");
    file_ = QDir::homePath() + QStringLiteral("/Ledra finance.csv");
    rbQif->setChecked(true);
    eTarget->setText(folder_);
    lTarget->setText(QStringLiteral("Target &folder:"));
}

QRadioButton* TfFinance::buttonOf(Format format) const {
    switch (format) {
    case Format::Ofx:
        return rbOfx;
    case Format::HomeBank:
        return rbHomeBank;
    case Format::Csv:
        return rbCsv;
    default:
        return rbQif;
    }
}

Format TfFinance::format() const {
    for (const finance::FormatInfo& info : finance::Formats())
        if (buttonOf(info.format)->isChecked())
            return info.format;
    return Format::Qif;
}

void TfFinance::setFormat(Format format) {
    buttonOf(format)->setChecked(true);
}

void TfFinance::formatChanged() {
    const Format now = format();
    const bool wasFolder = finance::InfoOf(shownFormat_).toFolder;
    const bool isFolder = finance::InfoOf(now).toFolder;
    shownFormat_ = now;
    if (wasFolder == isFolder)
        return;
    // A folder and a file are different targets; each is kept for its formats.
    (wasFolder ? folder_ : file_) = eTarget->text();
    eTarget->setText(isFolder ? folder_ : file_);
    lTarget->setText(isFolder ? QStringLiteral("Target &folder:")
                              : QStringLiteral("Target &file:"));
}

std::string TfFinance::targetBytes() const {
    return toFileSystem(eTarget->text());
}

void TfFinance::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(this);
    Guarded([this] {
        LoadFinanceSettings();
        cbShown->setEnabled(MoneyViewChoices && MoneyViewChoices().has_value());
        mSummary->clear();
    });
}

void TfFinance::done(int result) {
    Guarded([this] { SaveFinanceSettings(); });
    QDialog::done(result);
}

void TfFinance::LoadFinanceSettings() {
    const SettingsFile file;
    const std::string name = file.readText(keys::FinanceFormat);
    Format chosen = Format::Qif;
    for (const finance::FormatInfo& info : finance::Formats())
        if (name == info.name)
            chosen = info.format;
    const bool folder = finance::InfoOf(chosen).toFolder;
    if (const std::string f = file.readText(keys::FinanceFolder, ""); !f.empty())
        folder_ = fromFileSystem(f);
    if (const std::string f = file.readText(keys::FinanceFile, ""); !f.empty())
        file_ = fromFileSystem(f);
    // The edit box shows the target of the chosen format whatever was shown before.
    const QSignalBlocker block(buttonOf(chosen));
    setFormat(chosen);
    shownFormat_ = chosen;
    eTarget->setText(folder ? folder_ : file_);
    lTarget->setText(folder ? QStringLiteral("Target &folder:") : QStringLiteral("Target &file:"));
    cbShown->setChecked(file.readBool(keys::FinanceShown));
}

void TfFinance::SaveFinanceSettings() {
    (finance::InfoOf(format()).toFolder ? folder_ : file_) = eTarget->text();
    const SettingsFile file;
    file.writeText(keys::FinanceFormat, finance::InfoOf(format()).name);
    file.writeText(keys::FinanceFolder, toFileSystem(folder_));
    file.writeText(keys::FinanceFile, toFileSystem(file_));
    file.writeBool(keys::FinanceShown, cbShown->isChecked());
}

void TfFinance::sbBrowseClick() {
    QString chosen;
    if (finance::InfoOf(format()).toFolder)
        chosen = Dialogs::folderName(QStringLiteral("Export Folder"), eTarget->text(), this);
    else
        chosen = Dialogs::saveFileName(
            {QStringLiteral("Comma Separated File (*.csv)"), QStringLiteral("csv")}, this);
    if (!chosen.isEmpty())
        eTarget->setText(chosen);
}

void TfFinance::bExportClick() {
    SaveFinanceSettings();
    mSummary->clear();
    if (!MoneyDb || !TypesDb || !PaymentDb || !CurrencyDb || !MoneyDb->isOpen())
        throw LedraError("The handheld user's databases are not open");
    if (eTarget->text().isEmpty())
        throw LedraError(finance::InfoOf(format()).toFolder ? "Choose a target folder"
                                                            : "Choose a target file");
    // The view's category and filter when asked for; its mode and flow shape only its list.
    ListingChoices choices;
    if (cbShown->isChecked() && MoneyViewChoices)
        if (const std::optional<ListingChoices> shown = MoneyViewChoices())
            choices = *shown;
    choices.mode = DisplayMode::Chronological;
    choices.flow = FlowChoice::InOut;

    const finance::Result result =
        finance::Build(format(), finance::Select(*MoneyDb, *TypesDb, *PaymentDb, *CurrencyDb,
                                                 CategoryInfo::fromDatabase(*MoneyDb), choices));
    const std::string target = targetBytes();
    std::string problem;
    if (finance::InfoOf(format()).toFolder)
        problem = finance::WriteFiles(target, result);
    else if (!ReplaceFileContents(target, result.files.front().bytes))
        problem = FormatMessage("Cannot create file %s", target);
    if (!problem.empty())
        throw LedraError(problem);

    QStringList lines;
    lines << QString::fromStdString(finance::SummaryLine(result));
    if (finance::InfoOf(format()).toFolder)
        for (const finance::File& f : result.files)
            lines << QStringLiteral("  %1 (%2)")
                         .arg(QString::fromStdString(f.name))
                         .arg(f.transactions);
    for (const finance::LeftOut& left : result.leftOut)
        lines << QStringLiteral("Left out ") + QString::fromStdString(finance::LeftOutLine(left));
    mSummary->setPlainText(lines.join(QLatin1Char('\n')));
}
