#include "app/Main.h"

#include "app/About.h"
#include "app/Icons.h"
#include "chart/Chart.h"
#include "export/Export.h"
#include "finance/Finance.h"
#include "lists/Currency.h"
#include "lists/Payment.h"
#include "lists/Transaction.h"
#include "money/Money.h"
#include "pdb/Damage.h"
#include "pdb/UserDatabases.h"
#include "platform/OpenMessages.h"
#include "platform/QtText.h"
#include "platform/UserDirectory.h"
#include "settings/Global.h"
#include "settings/Password.h"
#include "settings/SettingsFile.h"
#include "settings/Setup.h"
#include "widgets/Dialogs.h"
#include "widgets/FormPlacement.h"
#include "widgets/ListGrid.h"
#include "widgets/ViewFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

TfMain* fMain = nullptr;

namespace {

const QString kNoViewMessage = QStringLiteral("\nOpen one of *pdb table's to export\n");

// Wraps a handler so that an error inside it ends with the error box, never in the event loop.
template <typename F> auto guarded(F f) {
    return [f] { Guarded(f); };
}

} // namespace

TfMain::TfMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("fMain"));
    // FormCreate: the four databases, all closed.
    money_ = std::make_unique<cPDB>();
    payment_ = std::make_unique<cPDB>();
    types_ = std::make_unique<cPDB>();
    currency_ = std::make_unique<cPDB>();
    MoneyDb = money_.get();
    PaymentDb = payment_.get();
    TypesDb = types_.get();
    CurrencyDb = currency_.get();

    QFont base(QStringLiteral("Tahoma"));
    base.setPointSize(8);
    setFont(base);
    setWindowTitle(QStringLiteral("Ledra - Desktop Viewer 1.0"));
    setWindowIcon(icons::icon("ledra"));

    buildTopStrip();
    buildViewBar();

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pMain"));
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    pMain = panel;
    setCentralWidget(pMain);

    buildStatusBar();
    resize(700, 500);
    ViewHost::setCurrent(this);
}

TfMain::~TfMain() {
    // FormDestroy. The frame goes first: it may still look at the databases.
    destroyFrame();
    ViewHost::setCurrent(nullptr);
    MoneyDb = PaymentDb = TypesDb = CurrencyDb = nullptr;
}

void TfMain::buildTopStrip() {
    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("TopStrip"));
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(2, 2, 4, 2);
    layout->setSpacing(0);

    auto makeMenuButton = [&](QToolButton*& button, QMenu*& menu, const char* name,
                              const QString& text) {
        menu = new QMenu(this);
        button = new QToolButton(strip);
        button->setObjectName(QLatin1String(name));
        button->setText(text);
        button->setAutoRaise(true);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMenu(menu);
        layout->addWidget(button);
    };
    makeMenuButton(tbFile, FileMenu, "tbFile", QStringLiteral("&File"));
    makeMenuButton(tbTools, ToolsMenu, "tbTools", QStringLiteral("&Tools"));
    makeMenuButton(tbHelp, HelpMenu, "tbHelp", QStringLiteral("&Help"));
    // The drop-down arrow is not part of this look: the buttons read like a menu bar.
    for (QToolButton* b : {tbFile, tbTools, tbHelp})
        b->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));

    auto addItem = [&](QMenu* menu, QAction*& action, const char* name, const QString& text) {
        action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
    };
    addItem(FileMenu, mMoney, "mMoney", QStringLiteral("&Money"));
    addItem(FileMenu, mTypes, "mTypes", QStringLiteral("&Transaction Types"));
    addItem(FileMenu, mPayment, "mPayment", QStringLiteral("&Payment Types"));
    addItem(FileMenu, mCurrency, "mCurrency", QStringLiteral("&Currency"));
    FileMenu->addSeparator();
    addItem(FileMenu, mFolder, "mFolder", QStringLiteral("Open Backup &Folder..."));
    FileMenu->addSeparator();
    addItem(FileMenu, Exit1, "Exit1", QStringLiteral("E&xit"));
    // The menu is a tool button's pop-up, so the key must live on the window to work when the
    // menu is closed.
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Exit1->setShortcutContext(Qt::WindowShortcut);
    addAction(Exit1);
    addItem(ToolsMenu, mExport, "mExport", QStringLiteral("&Export to Excel (*.CSV)"));
    addItem(ToolsMenu, mFinance, "mFinance", QStringLiteral("Export for &Finance Programs..."));
    addItem(ToolsMenu, mChart, "mChart", QStringLiteral("&Chart..."));
    mChart->setEnabled(false);
    ToolsMenu->addSeparator();
    addItem(ToolsMenu, mOptions, "mOptions", QStringLiteral("&Options..."));
    addItem(HelpMenu, About1, "About1", QStringLiteral("&About..."));

    connect(mMoney, &QAction::triggered, this, guarded([this] { mMoneyClick(); }));
    connect(mTypes, &QAction::triggered, this, guarded([this] { mTypesClick(); }));
    connect(mPayment, &QAction::triggered, this, guarded([this] { mPaymentClick(); }));
    connect(mCurrency, &QAction::triggered, this, guarded([this] { mCurrencyClick(); }));
    connect(mFolder, &QAction::triggered, this, guarded([this] { mFolderClick(); }));
    connect(Exit1, &QAction::triggered, this, guarded([this] { Exit1Click(); }));
    connect(mExport, &QAction::triggered, this, guarded([this] { mExportClick(); }));
    connect(mFinance, &QAction::triggered, this, guarded([this] { mFinanceClick(); }));
    connect(mChart, &QAction::triggered, this, guarded([this] { mChartClick(); }));
    connect(mOptions, &QAction::triggered, this, guarded([this] { mOptionsClick(); }));
    connect(About1, &QAction::triggered, this, guarded([this] { About1Click(); }));

    layout->addStretch(1);

    auto* userPanel = new QWidget(strip);
    userPanel->setObjectName(QStringLiteral("pUser"));
    auto* userLayout = new QHBoxLayout(userPanel);
    userLayout->setContentsMargins(0, 0, 0, 0);
    userLayout->setSpacing(4);
    auto* userLabel = new QLabel(QStringLiteral(" User:"), userPanel);
    userLabel->setObjectName(QStringLiteral("lUser"));
    cbUser = new QComboBox(userPanel);
    cbUser->setObjectName(QStringLiteral("cbUser"));
    cbUser->setEditable(false);
    cbUser->setFixedWidth(145);
    userLayout->addWidget(userLabel);
    userLayout->addWidget(cbUser);
    layout->addWidget(userPanel);
    // Only a pick by the user is a change; selections made by the program are not.
    connect(cbUser, &QComboBox::activated, this, guarded([this] { cbUserChange(); }));

    const int stripHeight = std::max(30, cbUser->sizeHint().height() + 4);
    strip->setFixedHeight(stripHeight);
    setMenuWidget(strip);
}

void TfMain::buildViewBar() {
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar->setOrientation(Qt::Vertical);
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setIconSize(QSize(32, 32));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar->toggleViewAction()->setEnabled(false);
    ToolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::LeftToolBarArea, ToolBar);

    ViewGroup = new QActionGroup(this);
    ViewGroup->setObjectName(QStringLiteral("ViewGroup"));
    ViewGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);

    const QIcon moneyIcon = icons::icon("money");
    const QIcon typesIcon = icons::icon("types");
    const QIcon currencyIcon = icons::icon("currency");
    auto addButton = [&](QAction*& action, const char* name, const QString& text,
                         const QIcon& icon) {
        action = new QAction(icon, text, this);
        action->setObjectName(QLatin1String(name));
        action->setIconText(text); // keeps the mnemonic on the button
        action->setCheckable(true);
        ViewGroup->addAction(action);
        ToolBar->addAction(action);
    };
    addButton(tbMoney, "tbMoney", QStringLiteral("&Money"), moneyIcon);
    addButton(tbTypes, "tbTypes", QStringLiteral("&Types"), typesIcon);
    addButton(tbPayment, "tbPayment", QStringLiteral("&Payment"), typesIcon);
    addButton(tbCurrency, "tbCurrency", QStringLiteral("Currency"), currencyIcon);

    // 56 x 52 as drawn for Tahoma; wider or taller where the system's font needs it.
    const QFontMetrics fm(font());
    int width = 56;
    for (QAction* a : {tbMoney, tbTypes, tbPayment, tbCurrency})
        width = std::max(width, fm.horizontalAdvance(a->iconText().remove(QLatin1Char('&'))) + 10);
    const int height = std::max(52, 32 + fm.height() + 8);
    for (QAction* a : {tbMoney, tbTypes, tbPayment, tbCurrency}) {
        if (QWidget* w = ToolBar->widgetForAction(a)) {
            w->setObjectName(a->objectName() + QStringLiteral("Button"));
            w->setFixedSize(width, height);
        }
    }

    connect(tbMoney, &QAction::triggered, this, guarded([this] { tbMoneyClick(); }));
    connect(tbTypes, &QAction::triggered, this, guarded([this] { tbTypesClick(); }));
    connect(tbPayment, &QAction::triggered, this, guarded([this] { tbPaymentClick(); }));
    connect(tbCurrency, &QAction::triggered, this, guarded([this] { tbCurrencyClick(); }));
}

void TfMain::buildStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    // Both panels sit at the left as one permanent piece, which no status message can hide.
    auto* panels = new QWidget(StatusBar1);
    auto* layout = new QHBoxLayout(panels);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto makePanel = [&](const char* name, const QString& text, int width) {
        auto* label = new QLabel(text, panels);
        label->setObjectName(QLatin1String(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFixedWidth(width);
        layout->addWidget(label);
        return label;
    };
    makePanel("StatusPanel0", QString(), 63);
    makePanel("StatusPanel1", QStringLiteral(" Ledra - Desktop Viewer ver. 1.0"), 300);
    layout->addStretch(1);
    StatusBar1->addPermanentWidget(panels, 1);
    setStatusBar(StatusBar1);
}

// --- form events -----------------------------------------------------------------------------

void TfMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    CentreOnScreen(this);
    Guarded([this] { FormShow(); });
    // The first activation normally follows the show; where the window never becomes active
    // (offscreen, a window manager that does not focus new windows) it starts from here.
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TfMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && shown_ && !activated_ && isActiveWindow())
        QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TfMain::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    // A minimised window is hidden by the window system; only the program's own hide, when the
    // main window closes, is the end of the run.
    if (event->spontaneous() || hiddenAtEnd_)
        return;
    hiddenAtEnd_ = true;
    Guarded([this] { FormHide(); });
}

void TfMain::FormShow() {
    LoadUsers();
    SelectSavedUser();
    fSetup->LoadSettings();
}

void TfMain::FormActivate() {
    if (activated_)
        return;
    activated_ = true;
    Guarded([this] { OpenDatabases(); });
    // A settings load that stops at an unreadable date has read the password keys already;
    // the prompt must still come, so the load's error ends only the load.
    Guarded([] { fSetup->LoadSettings(); });
    Guarded([this] {
        if (!fSetup->cbRequest->isChecked())
            return;
        if (fPassword->exec() != QDialog::Accepted)
            close();
    });
}

void TfMain::FormHide() {
    SaveUser();
}

// --- users and databases ---------------------------------------------------------------------

void TfMain::LoadUsers() {
    cbUser->clear();
    for (const std::string& bytes : userdir::UserNames()) {
        cbUser->addItem(fromUtf8OrAnsi(bytes),
                        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    // A list filled by the program has no entry selected until one is chosen.
    cbUser->setCurrentIndex(-1);
}

int LastExactMatch(const std::vector<std::string>& entries, const std::string& saved) {
    int selected = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == saved)
            selected = static_cast<int>(i); // the last of several equal entries wins
    }
    return selected;
}

void TfMain::SelectSavedUser() {
    const std::string saved = SettingsFile().readText(keys::User);
    std::vector<std::string> entries;
    for (int i = 0; i < cbUser->count(); ++i)
        entries.push_back(cbUser->itemData(i).toByteArray().toStdString());
    // Selected by the program: cbUserChange does not run.
    cbUser->setCurrentIndex(LastExactMatch(entries, saved));
}

bool TfMain::selectedUser(std::string& name) const {
    const int index = cbUser->currentIndex();
    if (index < 0)
        return false;
    name = cbUser->itemData(index).toByteArray().toStdString();
    return true;
}

void TfMain::OpenDatabases() {
    std::string user;
    if (!selectedUser(user)) {
        Dialogs::message(fromUtf8OrAnsi(NoUserMessage(userdir::SearchedFolder())), this);
        EnableViews(false);
        return;
    }
    std::int16_t size = 256;
    userdir::RootDirectory(RootDir, &size); // not looked at: RootDir is used as it is
    RootDir[sizeof RootDir - 1] = '\0';
    const DatabasePaths paths = DatabasePathsFor(RootDir, user);
    bool opened[4] = {};
    const bool missing =
        !OpenUserDatabases(paths, *MoneyDb, *PaymentDb, *CurrencyDb, *TypesDb, &opened);
    if (missing)
        Dialogs::message(fromUtf8OrAnsi(MissingFileMessage(paths, opened)), this);
    // The views still open on a damaged file: they show what can be read, and this says why
    // some of it is missing or empty.
    const std::string damage =
        CheckDatabases({{*MoneyDb, DatabaseKind::Money, paths.money},
                        {*PaymentDb, DatabaseKind::Payment, paths.payment},
                        {*CurrencyDb, DatabaseKind::Currency, paths.currency},
                        {*TypesDb, DatabaseKind::Types, paths.types}});
    if (!damage.empty())
        Dialogs::message(
            QString::fromLocal8Bit(damage.data(), static_cast<qsizetype>(damage.size())), this);
    EnableViews(!missing);
}

void TfMain::CloseDatabases() {
    MoneyDb->Close();
    PaymentDb->Close();
    TypesDb->Close();
    CurrencyDb->Close();
}

void TfMain::EnableViews(bool value) {
    for (QAction* a :
         {tbMoney, tbTypes, tbPayment, tbCurrency, mMoney, mTypes, mPayment, mCurrency})
        a->setEnabled(value);
    mExport->setEnabled(ActiveFrame != nullptr);
    // The finance files come from the databases, not from a view.
    mFinance->setEnabled(value);
}

void TfMain::SaveUser() {
    std::string user;
    if (!selectedUser(user))
        user.clear();
    SettingsFile().writeText(keys::User, user);
}

// --- views -----------------------------------------------------------------------------------

void TfMain::destroyFrame() {
    if (!ActiveFrame)
        return;
    ViewFrame* frame = ActiveFrame;
    ActiveFrame = nullptr;
    ActiveGrid = nullptr;
    mChart->setEnabled(false);
    delete frame;
}

void TfMain::releaseViewButtons() {
    // An exclusive group keeps one action checked; for this moment none may be.
    ViewGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction* a : {tbMoney, tbTypes, tbPayment, tbCurrency})
        a->setChecked(false);
    ViewGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
}

void TfMain::showView(View view) {
    destroyFrame();
    ViewFrame* frame = nullptr;
    QString caption;
    switch (view) {
    case View::Money:
        frame = new TfMoney(pMain);
        connect(static_cast<TfMoney*>(frame), &TfMoney::chartRequested, this,
                guarded([this] { mChartClick(); }));
        caption = QStringLiteral("Ledra - Chronological");
        break;
    case View::Types:
        frame = new TfTrans(pMain);
        caption = QStringLiteral("Ledra - Transaction Types");
        break;
    case View::Payment:
        frame = new TfPayment(pMain);
        caption = QStringLiteral("Ledra - Payment Types");
        break;
    case View::Currency:
        frame = new TfCurrency(pMain);
        caption = QStringLiteral("Ledra - Currency");
        break;
    }
    pMain->layout()->addWidget(frame);
    ActiveFrame = frame;
    setCaption(caption);
    frame->show();
    frame->enter();
    mExport->setEnabled(true);
    mChart->setEnabled(view == View::Money);
    ActiveView = static_cast<int>(view);
}

void TfMain::tbMoneyClick() {
    showView(View::Money);
}
void TfMain::tbTypesClick() {
    showView(View::Types);
}
void TfMain::tbPaymentClick() {
    showView(View::Payment);
}
void TfMain::tbCurrencyClick() {
    showView(View::Currency);
}

void TfMain::cbUserChange() {
    destroyFrame();
    CloseDatabases();
    OpenDatabases();
    releaseViewButtons();
}

// --- menus -----------------------------------------------------------------------------------

// The chosen folder is searched from now on and remembered for the next runs; the users are
// listed again and handled as a pick in cbUser is.
void TfMain::mFolderClick() {
    const std::string searched = userdir::SearchedFolder();
    const QString chosen =
        Dialogs::folderName(QStringLiteral("Open Backup Folder"), fromUtf8OrAnsi(searched), this);
    if (chosen.isEmpty())
        return;
    std::string previous;
    selectedUser(previous);
    std::string problem;
    const QByteArray folder = chosen.toUtf8();
    if (!userdir::ChooseFolder(folder.toStdString(), problem))
        Dialogs::error(fromUtf8OrAnsi(problem), this);
    destroyFrame();
    CloseDatabases();
    LoadUsers();
    // The only user; else the user selected before, or the one the settings remember.
    std::vector<std::string> entries;
    for (int i = 0; i < cbUser->count(); ++i)
        entries.push_back(cbUser->itemData(i).toByteArray().toStdString());
    int index = entries.size() == 1 ? 0 : LastExactMatch(entries, previous);
    if (index < 0)
        index = LastExactMatch(entries, SettingsFile().readText(keys::User));
    cbUser->setCurrentIndex(index);
    OpenDatabases();
    releaseViewButtons();
}

void TfMain::mExportClick() {
    if (ActiveFrame)
        fExport->exec();
    else
        Dialogs::message(kNoViewMessage, this);
}

void TfMain::mFinanceClick() {
    fFinance->exec();
}

void TfMain::mChartClick() {
    auto* money = qobject_cast<TfMoney*>(ActiveFrame);
    if (!money)
        return;
    if (!fChart)
        fChart = new TfChart(this);
    fChart->setData(ChartDataFor(money->listingChoices(), DisplayCurrency));
    fChart->exec();
}

void TfMain::mOptionsClick() {
    fSetup->exec();
}

void TfMain::About1Click() {
    fAbout->exec();
}

void TfMain::Exit1Click() {
    close();
}
