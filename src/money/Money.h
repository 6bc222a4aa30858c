#pragma once
// The transactions view: the list of transactions or of period sums, the choices that narrow
// it, the filter line, and the total in a chosen favourite currency.

#include "money/MoneyListing.h"
#include "widgets/ViewFrame.h"

#include <array>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

class TfMoney : public ViewFrame {
    Q_OBJECT
public:
    explicit TfMoney(QWidget* parent = nullptr);
    void FrameEnter() override;

    // Handlers; the controls' signals run them inside Guarded().
    void modeClick(DisplayMode mode); // tbHronoClick, tbMonthClick, tbQuaterClick, tbYearClick
    void flowClick();                 // tbInClick, tbOutClick, tbInOutClick
    void cbCatChange();
    void tbFilterClick();
    void tbSetFilterClick();
    void gridResize();
    void gridDblClick();
    void N11Click(QAction* item);
    void tbChartClick();

    void FillList();
    void ShowFilterState();
    void LoadMoneySettings();
    void SaveMoneySettings();

    // The category choice and the filter as the list is built with them.
    ListingChoices listingChoices() const;
    DisplayMode displayMode() const;
    FlowChoice flowChoice() const;
    // The category choice of cbCat's selected entry (kNoCategory when none is selected).
    int categoryChoice() const;
    // The caption of pCurr as single-byte text.
    const std::string& currencyCaption() const { return currCaption_; }

    // The narrowest "Transaction Type" column that gridResize leaves.
    static constexpr int kMinTypeColumnWidth = 50;

    QToolBar* tbTop;
    QAction* tbFilter;
    QLabel* pFilter;
    QComboBox* cbCat;
    QToolBar* tbBottom;
    QAction* tbSetFilter;
    QAction* tbHrono;
    QAction* tbMonth;
    QAction* tbQuater;
    QAction* tbYear;
    QAction* tbIn;
    QAction* tbOut;
    QAction* tbInOut;
    QAction* tbChart;
    // Keys for the category box and the display currency menu.
    QAction* mCategoryKey;
    QAction* mCurrencyKey;
    QActionGroup* modeGroup;
    QActionGroup* flowGroup;
    QToolBar* tbTotal;
    QLabel* pTotal;
    QToolButton* pCurr;
    QMenu* mFavorite;
    std::array<QAction*, 10> N; // N11, N21, ..., N101: item j stands for currency slot j + 1

signals:
    // tbChart was pressed: the main window shows the chart of this view's choices.
    void chartRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setCurrencyCaption(const std::string& text);
    void showTotal();
    void guarded(void (TfMoney::*handler)());

    CategoryInfo cats_;
    std::vector<CategoryEntry> entries_;
    std::string currCaption_ = "$$$";
};
