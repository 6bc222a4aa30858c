#include "money/Money.h"

#include "filter/Filter.h"
#include "money/View.h"
#include "platform/QtText.h"
#include "platform/Regional.h"
#include "settings/Global.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsFile.h"
#include "widgets/Dialogs.h"
#include "widgets/ListGrid.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

// The icons live in this library's resources; a static library must register them itself.
static void initMoneyResources() {
    Q_INIT_RESOURCE(money);
}

namespace {

QAction* checkAction(QObject* parent, const char* name, const char* icon, const QString& tip) {
    auto* a =
        new QAction(QIcon(QStringLiteral(":/money/%1.svg").arg(QLatin1String(icon))), tip, parent);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(true);
    return a;
}

// The classic 100 pixels, or as much as the longest date or period caption needs in the font
// at hand, so that group captions such as "4 quarter of 2002" are never cut.
int dateColumnWidth(const QFontMetrics& fm) {
    int widest = fm.horizontalAdvance(QStringLiteral("4 quarter of 2000"));
    widest = std::max(widest, fm.horizontalAdvance(QStringLiteral("Month 13 2000")));
    widest = std::max(widest, fm.horizontalAdvance(fromAnsi(FormatListDay({2000, 12, 28}))));
    for (int m = 1; m <= 12; ++m)
        widest = std::max(widest, fm.horizontalAdvance(fromAnsi(MonthName(m) + " 2000")));
    return std::max(kMoneyColumns.front().width, widest + 16); // room for the cell's padding
}

QFont boldOf(QFont f) {
    f.setBold(true);
    return f;
}

} // namespace

TfMoney::TfMoney(QWidget* parent) : ViewFrame(parent) {
    initMoneyResources();
    setObjectName(QStringLiteral("fMoney"));
    QFont f = font(); // the classic view font height of 11 pixels, in the system's family
    f.setPixelSize(11);
    setFont(f);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(0);

    // Top strip: the filter toggle, the filter line and the category choice.
    auto* top = new QWidget(this);
    top->setFixedHeight(29);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    tbTop = new QToolBar(top);
    tbTop->setObjectName(QStringLiteral("tbTop"));
    tbTop->setIconSize(QSize(16, 16));
    tbFilter = checkAction(this, "tbFilter", "filter", tr("Filter on or off"));
    tbTop->addAction(tbFilter);
    tbTop->addSeparator();
    topLayout->addWidget(tbTop);

    pFilter = new QLabel(QStringLiteral("Filter is not active."), top);
    pFilter->setObjectName(QStringLiteral("pFilter"));
    pFilter->setFont(boldOf(pFilter->font()));
    pFilter->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pFilter->setFrameShape(QFrame::Panel);
    pFilter->setFrameShadow(QFrame::Raised);
    pFilter->setIndent(4);
    // A long description is cut at the category area rather than widening the view.
    pFilter->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    topLayout->addWidget(pFilter, 1);

    // The classic 209 pixels, or more when the label needs it with a wider font.
    auto* catArea = new QFrame(top);
    catArea->setMinimumWidth(209);
    catArea->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    catArea->setFrameShape(QFrame::Panel);
    catArea->setFrameShadow(QFrame::Raised);
    auto* catLayout = new QHBoxLayout(catArea);
    catLayout->setContentsMargins(3, 1, 1, 1);
    catLayout->setSpacing(2);
    auto* catLabel = new QLabel(QStringLiteral("Category:"), catArea);
    catLayout->addWidget(catLabel);
    auto* divider = new QFrame(catArea);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    catLayout->addWidget(divider);
    cbCat = new QComboBox(catArea);
    cbCat->setObjectName(QStringLiteral("cbCat"));
    cbCat->setFixedWidth(145);
    cbCat->setEditable(false);
    catLayout->addWidget(cbCat);
    topLayout->addWidget(catArea);
    outer->addWidget(top);

    // The list.
    grid = new ListGrid(this);
    std::vector<GridColumn> columns = GridColumns(kMoneyColumns);
    columns.front().width = dateColumnWidth(grid->fontMetrics());
    grid->setColumns(std::move(columns));
    grid->viewport()->installEventFilter(this);
    outer->addWidget(grid, 1);

    // Bottom strip: the filter dialog, the modes, the flow choice; the total at the right.
    auto* bottom = new QWidget(this);
    bottom->setFixedHeight(30);
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->setSpacing(0);
    tbBottom = new QToolBar(bottom);
    tbBottom->setObjectName(QStringLiteral("tbBottom"));
    tbBottom->setIconSize(QSize(16, 16));
    tbSetFilter =
        new QAction(QIcon(QStringLiteral(":/money/setfilter.svg")), tr("Set filter"), this);
    tbSetFilter->setObjectName(QStringLiteral("tbSetFilter"));
    tbBottom->addAction(tbSetFilter);
    tbBottom->addSeparator();
    tbHrono = checkAction(this, "tbHrono", "chrono", tr("Chronological"));
    tbMonth = checkAction(this, "tbMonth", "month", tr("By month"));
    tbQuater = checkAction(this, "tbQuater", "quarter", tr("By quarter"));
    tbYear = checkAction(this, "tbYear", "year", tr("By year"));
    modeGroup = new QActionGroup(this);
    modeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (QAction* a : {tbHrono, tbMonth, tbQuater, tbYear}) {
        modeGroup->addAction(a);
        tbBottom->addAction(a);
    }
    tbBottom->addSeparator();
    tbIn = checkAction(this, "tbIn", "in", tr("Income"));
    tbOut = checkAction(this, "tbOut", "out", tr("Expense"));
    tbInOut = checkAction(this, "tbInOut", "inout", tr("Income and expense"));
    flowGroup = new QActionGroup(this);
    flowGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (QAction* a : {tbIn, tbOut, tbInOut}) {
        flowGroup->addAction(a);
        tbBottom->addAction(a);
    }
    tbBottom->addSeparator();
    tbChart = new QAction(QIcon(QStringLiteral(":/money/chart.svg")), tr("Chart"), this);
    tbChart->setObjectName(QStringLiteral("tbChart"));
    tbBottom->addAction(tbChart);
    tbHrono->setChecked(true);
    tbInOut->setChecked(true);
    bottomLayout->addWidget(tbBottom);
    bottomLayout->addStretch(1);

    tbTotal = new QToolBar(bottom);
    tbTotal->setObjectName(QStringLiteral("tbTotal"));
    tbTotal->setFont(boldOf(tbTotal->font()));
    pTotal = new QLabel(QStringLiteral("Total"), tbTotal);
    pTotal->setObjectName(QStringLiteral("pTotal"));
    pTotal->setFont(boldOf(pTotal->font()));
    pTotal->setFixedWidth(101);
    pTotal->setFrameShape(QFrame::Panel);
    pTotal->setFrameShadow(QFrame::Sunken);
    pTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pTotal->setMargin(2);
    tbTotal->addWidget(pTotal);
    pCurr = new QToolButton(tbTotal);
    pCurr->setObjectName(QStringLiteral("pCurr"));
    pCurr->setFont(boldOf(pCurr->font()));
    pCurr->setText(fromAnsi(currCaption_));
    pCurr->setPopupMode(QToolButton::InstantPopup);
    pCurr->setToolButtonStyle(Qt::ToolButtonTextOnly);
    pCurr->setMinimumWidth(44);
    mFavorite = new QMenu(pCurr);
    mFavorite->setObjectName(QStringLiteral("mFavorite"));
    for (int j = 0; j < 10; ++j) {
        QAction* item = mFavorite->addAction(QString::number(j + 1));
        item->setObjectName(QStringLiteral("N%1").arg((j + 1) * 10 + 1));
        N[static_cast<std::size_t>(j)] = item;
    }
    pCurr->setMenu(mFavorite);
    tbTotal->addWidget(pCurr);
    bottomLayout->addWidget(tbTotal);
    outer->addWidget(bottom);

    // Wiring. Mode and flow buttons run their handler also when pressed while down.
    connect(tbHrono, &QAction::triggered, this,
            [this] { Guarded([this] { modeClick(DisplayMode::Chronological); }); });
    connect(tbMonth, &QAction::triggered, this,
            [this] { Guarded([this] { modeClick(DisplayMode::ByMonth); }); });
    connect(tbQuater, &QAction::triggered, this,
            [this] { Guarded([this] { modeClick(DisplayMode::ByQuarter); }); });
    connect(tbYear, &QAction::triggered, this,
            [this] { Guarded([this] { modeClick(DisplayMode::ByYear); }); });
    for (QAction* a : {tbIn, tbOut, tbInOut})
        connect(a, &QAction::triggered, this, [this] { guarded(&TfMoney::flowClick); });
    connect(cbCat, &QComboBox::activated, this, [this] { guarded(&TfMoney::cbCatChange); });
    connect(tbFilter, &QAction::triggered, this, [this] { guarded(&TfMoney::tbFilterClick); });
    connect(tbSetFilter, &QAction::triggered, this,
            [this] { guarded(&TfMoney::tbSetFilterClick); });
    connect(tbChart, &QAction::triggered, this, [this] { guarded(&TfMoney::tbChartClick); });
    connect(grid, &ListGrid::resized, this, [this] { guarded(&TfMoney::gridResize); });
    connect(mFavorite, &QMenu::triggered, this,
            [this](QAction* item) { Guarded([this, item] { N11Click(item); }); });

    // The category box and the display currency have no action of their own; these give them
    // a key like every other command of the view.
    mCategoryKey = new QAction(tr("Category"), this);
    mCategoryKey->setObjectName(QStringLiteral("mCategoryKey"));
    connect(mCategoryKey, &QAction::triggered, this, [this] {
        cbCat->setFocus(Qt::ShortcutFocusReason);
        cbCat->showPopup();
    });
    mCurrencyKey = new QAction(tr("Display currency"), this);
    mCurrencyKey->setObjectName(QStringLiteral("mCurrencyKey"));
    // showMenu runs its own loop: started from the event loop, not from inside the key press.
    connect(mCurrencyKey, &QAction::triggered, this,
            [this] { QTimer::singleShot(0, pCurr, &QToolButton::showMenu); });

    // Every command has a key, named in its tooltip, so the view works without a mouse. Ctrl
    // keys only: Alt with a letter belongs to the menus' mnemonics.
    const std::pair<QAction*, QKeySequence> keys[] = {
        {tbHrono, QKeySequence(Qt::CTRL | Qt::Key_1)},
        {tbMonth, QKeySequence(Qt::CTRL | Qt::Key_2)},
        {tbQuater, QKeySequence(Qt::CTRL | Qt::Key_3)},
        {tbYear, QKeySequence(Qt::CTRL | Qt::Key_4)},
        {tbIn, QKeySequence(Qt::CTRL | Qt::Key_I)},
        {tbOut, QKeySequence(Qt::CTRL | Qt::Key_E)},
        {tbInOut, QKeySequence(Qt::CTRL | Qt::Key_B)},
        {tbFilter, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {tbSetFilter, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)},
        {tbChart, QKeySequence(Qt::CTRL | Qt::Key_G)},
        {mCategoryKey, QKeySequence(Qt::CTRL | Qt::Key_T)},
        {mCurrencyKey, QKeySequence(Qt::CTRL | Qt::Key_D)},
    };
    for (const auto& [action, key] : keys) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        // On the frame, so that the key works wherever the focus is inside the view.
        addAction(action);
        action->setToolTip(
            QStringLiteral("%1 (%2)").arg(action->text(), key.toString(QKeySequence::NativeText)));
    }
    cbCat->setToolTip(mCategoryKey->toolTip());
    pCurr->setToolTip(mCurrencyKey->toolTip());

    // Tool bar buttons take no focus by default; here Tab reaches them.
    for (QToolBar* bar : {tbTop, tbBottom, tbTotal})
        for (QAction* a : bar->actions())
            if (QWidget* w = bar->widgetForAction(a))
                w->setFocusPolicy(Qt::TabFocus);
    grid->installEventFilter(this);
}

void TfMoney::guarded(void (TfMoney::*handler)()) {
    Guarded([this, handler] { (this->*handler)(); });
}

DisplayMode TfMoney::displayMode() const {
    if (tbMonth->isChecked())
        return DisplayMode::ByMonth;
    if (tbQuater->isChecked())
        return DisplayMode::ByQuarter;
    if (tbYear->isChecked())
        return DisplayMode::ByYear;
    return DisplayMode::Chronological;
}

FlowChoice TfMoney::flowChoice() const {
    if (tbIn->isChecked())
        return FlowChoice::In;
    if (tbOut->isChecked())
        return FlowChoice::Out;
    return FlowChoice::InOut;
}

int TfMoney::categoryChoice() const {
    return CategoryOfEntry(entries_, cbCat->currentIndex());
}

void TfMoney::setCurrencyCaption(const std::string& text) {
    currCaption_ = text;
    pCurr->setText(fromAnsi(text));
}

void TfMoney::FrameEnter() {
    // The category labels and the category list.
    cats_ = CategoryInfo::fromDatabase(*MoneyDb);
    entries_ = CategoryEntries(cats_);
    cbCat->clear();
    for (const CategoryEntry& e : entries_)
        cbCat->addItem(fromAnsi(e.text));

    // Display currency and favourites, from a fresh load of the currency table.
    const int home = LoadCurrencyTable(*CurrencyDb, SharedCurrencyTable);
    DisplayCurrency = home;
    setCurrencyCaption(SharedCurrencyTable.slot[home].code());
    const auto items = FavoriteItems(SharedCurrencyTable);
    for (std::size_t j = 0; j < items.size(); ++j) {
        N[j]->setVisible(items[j].visible);
        if (items[j].visible)
            N[j]->setText(fromAnsi(items[j].caption));
    }

    // The saved choices, the caption they give, the filter state and the display currency.
    LoadMoneySettings();
    showCaption(QLatin1String(ModeCaption(displayMode())));
    tbFilter->setChecked(fFilter && fFilter->cbFilter->isChecked());
    ShowFilterState();
    DisplayCurrency = MatchDisplayCurrency(SharedCurrencyTable, currCaption_, DisplayCurrency);

    // The list itself, registered as the one the window shows.
    FillList();
    registerGrid(grid);
}

ListingChoices TfMoney::listingChoices() const {
    ListingChoices c;
    c.mode = displayMode();
    c.flow = flowChoice();
    c.category = categoryChoice();
    c.filterOn = tbFilter->isChecked();
    if (fFilter)
        c.filter = fFilter->settings();
    return c;
}

void TfMoney::FillList() {
    const ListingChoices c = listingChoices();
    // The rows go straight into the one buffer the list keeps, never a string per cell.
    struct Cells final : ListingRowSink {
        CellTable table;
        void row(std::span<const std::string_view> cells) override { table.addRow(cells); }
    } rows;
    if (c.mode == DisplayMode::Chronological) {
        // Room for every record: a row's text is about its record's bytes plus the names and
        // the date, so growth steps (and twice the room at the last one) are mostly saved.
        const auto n = static_cast<std::size_t>(MoneyDb->GetNumRecords());
        rows.table.reserve(n, MoneyColumns().size(),
                           static_cast<std::size_t>(MoneyDb->fileSize()) + n * 32);
    }
    const MoneyListing listing = FillListInto(*MoneyDb, *TypesDb, *PaymentDb, *CurrencyDb,
                                              SharedCurrencyTable, cats_, c, rows);
    // The list stays shown until the next build: it keeps only the room its rows take.
    rows.table.shrinkToFit();
    IncomeTotal = listing.IncomeTotal;
    ExpenseTotal = listing.ExpenseTotal;
    grid->rows()->setRows(std::move(rows.table)); // one bulk update
    showTotal();
}

void TfMoney::showTotal() {
    const int home = LoadCurrencyTable(*CurrencyDb, SharedCurrencyTable);
    const QString whole = fromAnsi(TotalText(IncomeTotal, ExpenseTotal, flowChoice(),
                                             SharedCurrencyTable, DisplayCurrency, home));
    // A total too wide for the panel is never cut silently: the elision mark says digits are
    // missing (the sign, the leading digits and the cents stay), the tooltip holds them all.
    const QFontMetrics fm = pTotal->fontMetrics();
    const int room = pTotal->contentsRect().width() - 2 * pTotal->margin();
    if (fm.horizontalAdvance(whole) <= room) {
        pTotal->setText(whole);
        pTotal->setToolTip(QString());
    } else {
        pTotal->setText(fm.elidedText(whole, Qt::ElideMiddle, room));
        pTotal->setToolTip(whole);
    }
}

void TfMoney::ShowFilterState() {
    const FilterSettings f = fFilter ? fFilter->settings() : FilterSettings{};
    pFilter->setText(fromAnsi(FilterDescription(tbFilter->isChecked(), f)));
}

void TfMoney::LoadMoneySettings() {
    const SettingsFile file;
    const int entry = FindCategoryEntry(entries_, file.readText(keys::Category));
    cbCat->setCurrentIndex(entry);
    // Entry has just put the home currency's code on pCurr: that is the default.
    setCurrencyCaption(file.readText(keys::Currency, currCaption_));
    const int mode = file.readInt(keys::Mode);
    const std::array<QAction*, 4> modes{tbHrono, tbMonth, tbQuater, tbYear};
    if (mode >= 0 && mode < 4)
        modes[static_cast<std::size_t>(mode)]->setChecked(true);
    const int io = file.readInt(keys::IO);
    const std::array<QAction*, 3> flows{tbIn, tbOut, tbInOut};
    if (io >= 0 && io < 3)
        flows[static_cast<std::size_t>(io)]->setChecked(true);
}

void TfMoney::SaveMoneySettings() {
    const int entry = cbCat->currentIndex();
    // One replace of the file for the four keys: each replace waits for the disk.
    SettingsFile().writeTexts(
        {{keys::Category, entry >= 0 && static_cast<std::size_t>(entry) < entries_.size()
                              ? entries_[static_cast<std::size_t>(entry)].text
                              : std::string()},
         {keys::Currency, currCaption_},
         {keys::Mode, std::to_string(static_cast<int>(displayMode()))},
         {keys::IO, std::to_string(static_cast<int>(flowChoice()))}});
}

// The new list is built and painted before the settings are written: the write waits for the
// disk, and the rows would otherwise reach the screen only after it.
void TfMoney::modeClick(DisplayMode mode) {
    showCaption(QLatin1String(ModeCaption(mode)));
    FillList();
    repaint();
    SaveMoneySettings();
}

void TfMoney::flowClick() {
    FillList();
    repaint();
    SaveMoneySettings();
}

void TfMoney::cbCatChange() {
    FillList();
    SaveMoneySettings();
}

void TfMoney::tbFilterClick() {
    fFilter->cbFilter->setChecked(tbFilter->isChecked());
    SaveSettingsBlock();
    FillList();
    ShowFilterState();
}

void TfMoney::tbSetFilterClick() {
    if (fFilter->exec() == QDialog::Accepted) {
        tbFilter->setChecked(fFilter->cbFilter->isChecked());
        FillList();
    }
    tbFilter->setChecked(fFilter->cbFilter->isChecked());
    ShowFilterState();
}

void TfMoney::gridResize() {
    QHeaderView* h = grid->header();
    const int width =
        grid->width() - h->sectionSize(0) - h->sectionSize(2) - h->sectionSize(3) - 22;
    h->resizeSection(1, std::max(width, kMinTypeColumnWidth));
}

void TfMoney::gridDblClick() {
    if (displayMode() != DisplayMode::Chronological)
        return;
    const int row = grid->selectedRow();
    if (row < 0 || !fView)
        return;
    const CellTable& cells = grid->rows()->cells();
    const auto cell = [&cells, row](std::size_t k) {
        return fromAnsi(cells.cell(static_cast<std::size_t>(row), k));
    };
    fView->eDate->setText(cell(0));
    fView->eType->setText(cell(1));
    fView->eAmount->setText(cell(2));
    fView->lCurr->setText(cell(3));
    fView->eNote->setPlainText(cell(4));
    fView->ePay->setText(cell(5));
    fView->lCat->setText(cell(6));
    fView->exec();
}

void TfMoney::N11Click(QAction* item) {
    const std::string text = StripHotkey(toAnsi(item->text()));
    setCurrencyCaption(text);
    DisplayCurrency = MatchDisplayCurrency(SharedCurrencyTable, text, DisplayCurrency);
    showTotal();
    SaveMoneySettings();
}

void TfMoney::tbChartClick() {
    emit chartRequested();
}

bool TfMoney::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        guarded(&TfMoney::gridDblClick);
        return true;
    }
    // Enter on a row does what a double click does.
    if (watched == grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            guarded(&TfMoney::gridDblClick);
            return true;
        }
    }
    return ViewFrame::eventFilter(watched, event);
}
