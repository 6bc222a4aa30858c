#pragma once
// The main window: user selector, view buttons, menus, the client panel that hosts one view.

#include "export/Views.h"
#include "pdb/Pdb.h"
#include "widgets/ViewFrame.h"

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

class TfChart;
class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;

// The entry that the remembered user selects: the last one equal to `saved` byte for byte
// (letter case counts), or -1 when none is.
int LastExactMatch(const std::vector<std::string>& entries, const std::string& saved);

class TfMain : public QMainWindow, public ViewHost {
    Q_OBJECT
public:
    explicit TfMain(QWidget* parent = nullptr);
    ~TfMain() override;

    // Top strip.
    QToolButton* tbFile = nullptr;
    QToolButton* tbTools = nullptr;
    QToolButton* tbHelp = nullptr;
    QComboBox* cbUser = nullptr;
    // View buttons (checkable, one exclusive group) on the left tool bar.
    QToolBar* ToolBar = nullptr;
    QActionGroup* ViewGroup = nullptr;
    QAction* tbMoney = nullptr;
    QAction* tbTypes = nullptr;
    QAction* tbPayment = nullptr;
    QAction* tbCurrency = nullptr;
    // Menus.
    QMenu* FileMenu = nullptr;
    QMenu* ToolsMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* mMoney = nullptr;
    QAction* mTypes = nullptr;
    QAction* mPayment = nullptr;
    QAction* mCurrency = nullptr;
    QAction* mFolder = nullptr;
    QAction* Exit1 = nullptr;
    QAction* mExport = nullptr;
    QAction* mFinance = nullptr;
    QAction* mChart = nullptr; // enabled while the Money view is shown
    TfChart* fChart = nullptr; // made at its first showing
    QAction* mOptions = nullptr;
    QAction* About1 = nullptr;

    QWidget* pMain = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    ViewFrame* ActiveFrame = nullptr;
    ListGrid* ActiveGrid = nullptr;
    int ActiveView = 0;
    char RootDir[260]{};

    void setCaption(const QString& text) { setWindowTitle(text); }

    void registerGrid(ListGrid* grid) override { ActiveGrid = grid; }
    void showCaption(const QString& caption) override { setCaption(caption); }
    ListGrid* shownGrid() const override { return ActiveGrid; }
    int shownView() const override { return ActiveView; }

    // Event handlers; each runs inside Guarded().
    void cbUserChange();
    void tbMoneyClick();
    void tbTypesClick();
    void tbPaymentClick();
    void tbCurrencyClick();
    void mMoneyClick() { tbMoneyClick(); }
    void mTypesClick() { tbTypesClick(); }
    void mPaymentClick() { tbPaymentClick(); }
    void mCurrencyClick() { tbCurrencyClick(); }
    void mFolderClick();
    void mExportClick();
    void mFinanceClick();
    void mChartClick();
    void mOptionsClick();
    void About1Click();
    void Exit1Click();

    // Whether the once-per-run first activation has run (tests wait for it).
    bool firstActivationDone() const { return activated_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildTopStrip();
    void buildViewBar();
    void buildStatusBar();

    void FormShow();
    void FormActivate();
    void FormHide();

    void LoadUsers();
    void SelectSavedUser();
    void OpenDatabases();
    void CloseDatabases();
    void EnableViews(bool value);
    void SaveUser();

    void showView(View view);
    void destroyFrame();
    void releaseViewButtons();
    // The selected user's name as the directory delivered it (bytes), or nothing.
    bool selectedUser(std::string& name) const;

    std::unique_ptr<cPDB> money_, payment_, types_, currency_;
    bool shown_ = false;
    bool activated_ = false;
    bool hiddenAtEnd_ = false;
};

// The one instance, created with the other forms (app/Forms); null before and after.
extern TfMain* fMain;
