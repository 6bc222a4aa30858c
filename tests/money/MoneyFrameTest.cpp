#include "GuiFixture.h"
#include "filter/Filter.h"
#include "money/Money.h"
#include "money/View.h"
#include "settings/Setup.h"
#include "widgets/ListGrid.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>

namespace {

MoneyData StandardData() {
    MoneyData d; // EUR home in slot 1, USD in slot 2 at 0.9; labels Unfiled, "", Business
    d.add(PackDate(2002, 1, 3), 1, 1, -12.5, 1, "Bread", 0);
    d.add(PackDate(2002, 1, 20), 2, 2, 100.0, 1, "Pay", 2);
    d.add(PackDate(2002, 2, 5), 1, 2, -20.0, 2, "Lunch", 2);
    d.add(PackDate(2002, 4, 1), 1, 1, -3.0, 1, "", 0);
    return d;
}

QStringList column(const TfMoney* f, int k) {
    QStringList out;
    const GridModel* m = f->grid->rows();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->data(m->index(r, k), Qt::DisplayRole).toString();
    return out;
}

} // namespace

class MoneyFrameTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> fx;
    std::unique_ptr<TfMoney> owned;
    TfMoney* frame = nullptr;

    // As the main window leaves things before the Money view can be chosen: the databases
    // open and the dialogs' settings loaded. The frame stands alone, so that a test can show
    // it without the main window.
    void enter(const MoneyData& data = StandardData()) {
        fx->open(data);
        fSetup->LoadSettings();
        owned = std::make_unique<TfMoney>();
        frame = owned.get();
        frame->resize(800, 400);
        frame->FrameEnter();
    }
    void showFrame() {
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
    }
    bool iniExists() const { return std::filesystem::exists(fx->iniPath()); }

private slots:
    void init() { fx = std::make_unique<GuiFixture>(); }
    void cleanup() {
        frame = nullptr;
        owned.reset();
        fx.reset();
    }

    void layoutCarriesTheControlNames() {
        enter();
        for (const char* name : {"pFilter", "cbCat", "grid", "pTotal", "pCurr", "mFavorite"})
            QVERIFY2(frame->findChild<QWidget*>(QLatin1String(name)), name);
        for (const char* name : {"tbFilter", "tbSetFilter", "tbHrono", "tbMonth", "tbQuater",
                                 "tbYear", "tbIn", "tbOut", "tbInOut", "N11", "N51", "N101"})
            QVERIFY2(frame->findChild<QAction*>(QLatin1String(name)), name);
        QCOMPARE(frame->grid->rows()->columnCount(), 7);
        QCOMPARE(frame->grid->rows()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Amount"));
        QVERIFY(!frame->tbFilter->icon().isNull());
        QVERIFY(!frame->tbQuater->icon().isNull());
    }

    void entryWithoutSettingsFile() {
        enter();
        QVERIFY(frame->tbHrono->isChecked());
        QVERIFY(frame->tbInOut->isChecked());
        QCOMPARE(frame->cbCat->currentText(), QStringLiteral("All"));
        QCOMPARE(frame->cbCat->count(), 3); // All, Unfiled, Business
        QCOMPARE(frame->pCurr->text(), QStringLiteral("EUR"));
        QCOMPARE(DisplayCurrency, 1);
        QCOMPARE(fMain->windowTitle(), QStringLiteral("Ledra - Chronological"));
        QCOMPARE(frame->pFilter->text(), QStringLiteral("Filter is not active."));
        QCOMPARE(column(frame, 2), (QStringList{"-12.50", "100.00", "-20.00", "-3.00"}));
        QCOMPARE(column(frame, 0).first(), QStringLiteral("01/03/2002"));
        QCOMPARE(frame->pTotal->text(), QStringLiteral("62.28"));
        QCOMPARE(fMain->ActiveGrid, frame->grid);
        QVERIFY(!iniExists()); // entry never saves
    }

    void entryRestoresSavedChoices() {
        fx->setIni("Money", "Category", "Business");
        fx->setIni("Money", "Currency", "USD");
        fx->setIni("Money", "Mode", "1");
        fx->setIni("Money", "IO", "0");
        enter();
        QVERIFY(frame->tbMonth->isChecked());
        QVERIFY(frame->tbIn->isChecked());
        QCOMPARE(frame->cbCat->currentText(), QStringLiteral("Business"));
        QCOMPARE(frame->pCurr->text(), QStringLiteral("USD"));
        QCOMPARE(DisplayCurrency, 2);
        QCOMPARE(fMain->windowTitle(), QStringLiteral("Ledra - By Month"));
        QCOMPARE(column(frame, 0), (QStringList{"January 2002", "February 2002"}));
        QCOMPARE(column(frame, 2), (QStringList{"100.00", "0.00"}));
        QCOMPARE(frame->pTotal->text(), QStringLiteral("90.00")); // 100 EUR at 0.9
    }

    void entryIgnoresValuesOutOfRange() {
        fx->setIni("Money", "Mode", "7");
        fx->setIni("Money", "IO", "abc");
        fx->setIni("Money", "Currency", "XYZ");
        enter();
        QVERIFY(frame->tbHrono->isChecked());
        QVERIFY(frame->tbInOut->isChecked());
        QCOMPARE(frame->pCurr->text(), QStringLiteral("XYZ"));
        QCOMPARE(DisplayCurrency, 1); // stays the home currency
        QCOMPARE(frame->pTotal->text(), QStringLiteral("62.28"));
    }

    void unknownSavedCategorySelectsNothing() {
        fx->setIni("Money", "Category", "Gone");
        enter();
        QCOMPARE(frame->cbCat->currentIndex(), -1);
        QCOMPARE(frame->grid->rows()->rowCount(), 0);
        QCOMPARE(frame->pTotal->text(), QStringLiteral("0.00"));
        frame->tbYear->trigger();
        QCOMPARE(fx->ini("Money", "Category"), std::string());
    }

    void modeButtonsSaveAndRebuild() {
        enter();
        QAbstractItemModelTester tester(frame->grid->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        frame->tbYear->trigger();
        QCOMPARE(fMain->windowTitle(), QStringLiteral("Ledra - By Year"));
        QCOMPARE(fx->ini("Money", "Mode"), std::string("3"));
        QCOMPARE(fx->ini("Money", "IO"), std::string("2"));
        QCOMPARE(fx->ini("Money", "Category"), std::string("All"));
        QCOMPARE(fx->ini("Money", "Currency"), std::string("EUR"));
        QCOMPARE(column(frame, 0), (QStringList{"Year 2002"}));
        QCOMPARE(column(frame, 3), (QStringList{"EUR"}));

        // Pressing the button that is down runs its handler again.
        fMain->setWindowTitle(QStringLiteral("other"));
        frame->tbYear->trigger();
        QVERIFY(frame->tbYear->isChecked());
        QCOMPARE(fMain->windowTitle(), QStringLiteral("Ledra - By Year"));

        frame->tbQuater->trigger();
        QCOMPARE(fMain->windowTitle(), QStringLiteral("Ledra - By Quater"));
        QCOMPARE(column(frame, 0), (QStringList{"1 quarter of 2002", "2 quarter of 2002"}));
        QCOMPARE(fx->ini("Money", "Mode"), std::string("2"));
    }

    void flowButtonsSaveAndRebuild() {
        enter();
        frame->tbIn->trigger();
        QCOMPARE(fx->ini("Money", "IO"), std::string("0"));
        QCOMPARE(column(frame, 2), (QStringList{"100.00"}));
        QCOMPARE(frame->pTotal->text(), QStringLiteral("100.00"));
        frame->tbOut->trigger();
        QCOMPARE(fx->ini("Money", "IO"), std::string("1"));
        QCOMPARE(column(frame, 2), (QStringList{"-12.50", "-20.00", "-3.00"}));
        QCOMPARE(frame->pTotal->text(), QStringLiteral("-37.72"));
    }

    void categoryChoiceRebuildsThenSaves() {
        enter();
        frame->cbCat->setCurrentIndex(2);
        QVERIFY(!iniExists()); // a programmatic selection runs no handler
        emit frame->cbCat->activated(2);
        QCOMPARE(fx->ini("Money", "Category"), std::string("Business"));
        QCOMPARE(column(frame, 4), (QStringList{"Pay", "Lunch"}));
        QCOMPARE(column(frame, 6), (QStringList{"Business", "Business"}));
    }

    void favouriteMenu() {
        MoneyData d = StandardData();
        d.currencies[2].favorite = false;
        d.currencies[3] = {"Pound", "GBP", 0.5, false, true};
        d.currencies[7] = {"Franc", "CHF", 2.0, false, true};
        enter(d);
        QVERIFY(frame->N[0]->isVisible()); // EUR, the home currency, is a favourite too
        QVERIFY(!frame->N[1]->isVisible());
        QVERIFY(frame->N[2]->isVisible());
        QVERIFY(frame->N[6]->isVisible());
        QCOMPARE(frame->N[2]->text(), QStringLiteral("GBP"));
        QCOMPARE(frame->N[6]->text(), QStringLiteral("CHF"));
        for (int j : {3, 4, 5, 7, 8, 9})
            QVERIFY(!frame->N[static_cast<std::size_t>(j)]->isVisible());
        QCOMPARE(frame->pCurr->menu(), frame->mFavorite);

        const QStringList rows = column(frame, 2);
        frame->N[6]->trigger(); // CHF at 2.0: rows stay, the total is converted
        QCOMPARE(frame->pCurr->text(), QStringLiteral("CHF"));
        QCOMPARE(DisplayCurrency, 7);
        QCOMPARE(frame->pTotal->text(), QStringLiteral("124.56")); // (100-12.5-3-20/0.9)*2
        QCOMPARE(column(frame, 2), rows);
        QCOMPARE(fx->ini("Money", "Currency"), std::string("CHF"));

        // A hotkey marker in front of the caption is dropped.
        frame->N[0]->setText(QStringLiteral("&EUR"));
        frame->N[0]->trigger();
        QCOMPARE(frame->pCurr->text(), QStringLiteral("EUR"));
        QCOMPARE(frame->pTotal->text(), QStringLiteral("62.28"));
        QCOMPARE(fx->ini("Money", "Currency"), std::string("EUR"));
    }

    void savedDisplayCurrencyConvertsTheTotal() {
        fx->setIni("Money", "Currency", "USD");
        enter();
        QCOMPARE(DisplayCurrency, 2);
        QCOMPARE(frame->pTotal->text(), QStringLiteral("56.05"));
    }

    void filterToggleSavesTheFilterBlock() {
        enter();
        frame->tbFilter->trigger();
        QVERIFY(fFilter->cbFilter->isChecked());
        QCOMPARE(frame->pFilter->text(), QStringLiteral("*, *, *"));
        QCOMPARE(fx->ini("Filter", "On"), std::string("1"));
        QCOMPARE(fx->ini("Filter", "Trans"), std::string("..."));
        QCOMPARE(fx->ini("Money", "Mode"), std::string("<absent>")); // only the filter block

        fFilter->cbTrans->setEditText(QStringLiteral("Salary"));
        frame->tbFilter->trigger(); // off: everything listed again
        QCOMPARE(fx->ini("Filter", "On"), std::string("0"));
        QCOMPARE(fx->ini("Filter", "Trans"), std::string("Salary"));
        QCOMPARE(frame->grid->rows()->rowCount(), 4);
        frame->tbFilter->trigger();
        QCOMPARE(column(frame, 1), (QStringList{"Salary"}));
        QCOMPARE(frame->pFilter->text(), QStringLiteral("Salary, *, *"));
    }

    void entryFollowsTheLoadedFilter() {
        fx->setIni("Filter", "On", "1");
        fx->setIni("Filter", "Curr", "\"USD\"");
        enter();
        QVERIFY(frame->tbFilter->isChecked());
        QCOMPARE(frame->pFilter->text(), QStringLiteral("*, *, USD"));
        QCOMPARE(column(frame, 2), (QStringList{"-20.00"}));
    }

    void setFilterDialogOkAppliesTheFilter() {
        enter();
        const bool shown = AnswerModal(
            fFilter, [&] { frame->tbSetFilter->trigger(); },
            [](QDialog*) {
                fFilter->cbTrans->setEditText(QStringLiteral("Food"));
                fFilter->cbPay->setEditText(QStringLiteral("Card"));
                fFilter->cbFilter->setChecked(true);
                fFilter->bOK->click();
            });
        QVERIFY(shown);
        QVERIFY(frame->tbFilter->isChecked());
        QCOMPARE(frame->pFilter->text(), QStringLiteral("Food, Card, *"));
        QCOMPARE(column(frame, 4), (QStringList{"Lunch"}));
        QCOMPARE(fx->ini("Filter", "Trans"), std::string("Food"));
    }

    void setFilterDialogCancelKeepsTheSavedFilter() {
        enter();
        AnswerModal(
            fFilter, [&] { frame->tbSetFilter->trigger(); },
            [](QDialog*) {
                fFilter->cbTrans->setEditText(QStringLiteral("Food"));
                fFilter->cbFilter->setChecked(true);
                fFilter->bCancel->click();
            });
        QVERIFY(!frame->tbFilter->isChecked());
        QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("..."));
        QCOMPARE(frame->pFilter->text(), QStringLiteral("Filter is not active."));
        QCOMPARE(frame->grid->rows()->rowCount(), 4);
    }

    void gridResizeKeepsAPositiveTypeColumn() {
        enter();
        showFrame();
        QHeaderView* h = frame->grid->header();
        frame->grid->resize(700, 200);
        QVERIFY(h->sectionSize(0) >= 100); // wider where the font needs it
        QVERIFY(frame->grid->fontMetrics().horizontalAdvance(QStringLiteral("4 quarter of 2002")) <
                h->sectionSize(0));
        QCOMPARE(h->sectionSize(1), 700 - h->sectionSize(0) - 100 - 40 - 22);
        QCOMPARE(h->sectionSize(4), 200); // the others keep their widths
        frame->grid->resize(150, 200);
        QCOMPARE(h->sectionSize(1), TfMoney::kMinTypeColumnWidth);
    }

    void doubleClickShowsTheSelectedTransaction() {
        enter();
        showFrame();
        const QRect r = frame->grid->visualRect(frame->grid->rows()->index(2, 0));
        const bool shown = AnswerModal(
            fView,
            [&] {
                // A real double click begins with a press, which selects the row.
                QTest::mouseClick(frame->grid->viewport(), Qt::LeftButton, {}, r.center());
                QTest::mouseDClick(frame->grid->viewport(), Qt::LeftButton, {}, r.center());
            },
            [](QDialog* d) { static_cast<TfView*>(d)->Button1->click(); });
        QVERIFY(shown);
        QCOMPARE(fView->eDate->text(), QStringLiteral("02/05/2002"));
        QCOMPARE(fView->eType->text(), QStringLiteral("Food"));
        QCOMPARE(fView->eAmount->text(), QStringLiteral("-20.00"));
        QCOMPARE(fView->lCurr->text(), QStringLiteral("USD"));
        QCOMPARE(fView->eNote->toPlainText(), QStringLiteral("Lunch"));
        QCOMPARE(fView->ePay->text(), QStringLiteral("Card"));
        QCOMPARE(fView->lCat->text(), QStringLiteral("Business"));
        QCOMPARE(frame->grid->selectedRow(), 2); // closing the dialog leaves the list as it was
        QVERIFY(fView->eDate->isReadOnly() && fView->eNote->isReadOnly());

        frame->grid->setCurrentIndex(frame->grid->rows()->index(3, 0));
        AnswerModal(
            fView, [&] { frame->gridDblClick(); }, [](QDialog* d) { d->accept(); });
        QCOMPARE(fView->eNote->toPlainText(), QString()); // empty memo
    }

    void everyCommandHasAKeyNamedInItsTooltip() {
        enter();
        showFrame();
        struct Case {
            QAction* action;
            QKeyCombination key;
            QString tip;
        };
        const Case cases[] = {
            {frame->tbHrono, Qt::CTRL | Qt::Key_1, QStringLiteral("Chronological (Ctrl+1)")},
            {frame->tbMonth, Qt::CTRL | Qt::Key_2, QStringLiteral("By month (Ctrl+2)")},
            {frame->tbQuater, Qt::CTRL | Qt::Key_3, QStringLiteral("By quarter (Ctrl+3)")},
            {frame->tbYear, Qt::CTRL | Qt::Key_4, QStringLiteral("By year (Ctrl+4)")},
            {frame->tbIn, Qt::CTRL | Qt::Key_I, QStringLiteral("Income (Ctrl+I)")},
            {frame->tbOut, Qt::CTRL | Qt::Key_E, QStringLiteral("Expense (Ctrl+E)")},
            {frame->tbInOut, Qt::CTRL | Qt::Key_B, QStringLiteral("Income and expense (Ctrl+B)")},
            {frame->tbFilter, Qt::CTRL | Qt::Key_F, QStringLiteral("Filter on or off (Ctrl+F)")},
            {frame->tbSetFilter, Qt::CTRL | Qt::SHIFT | Qt::Key_F,
             QStringLiteral("Set filter (Ctrl+Shift+F)")},
            {frame->tbChart, Qt::CTRL | Qt::Key_G, QStringLiteral("Chart (Ctrl+G)")},
            {frame->mCategoryKey, Qt::CTRL | Qt::Key_T, QStringLiteral("Category (Ctrl+T)")},
            {frame->mCurrencyKey, Qt::CTRL | Qt::Key_D,
             QStringLiteral("Display currency (Ctrl+D)")},
        };
        QSet<int> seen;
        for (const Case& c : cases) {
            QCOMPARE(c.action->shortcut(), QKeySequence(c.key));
            QCOMPARE(c.action->toolTip(), c.tip);
            QVERIFY2(!seen.contains(c.key.toCombined()), qPrintable(c.tip));
            seen.insert(c.key.toCombined());
        }
        QCOMPARE(frame->cbCat->toolTip(), QStringLiteral("Category (Ctrl+T)"));
        QCOMPARE(frame->pCurr->toolTip(), QStringLiteral("Display currency (Ctrl+D)"));

        // The keys work with the focus in the list, and the view follows them.
        frame->grid->setFocus();
        QTest::keyClick(frame->grid, Qt::Key_4, Qt::ControlModifier);
        QVERIFY(frame->tbYear->isChecked());
        QCOMPARE(column(frame, 0), (QStringList{"Year 2002"}));
        QTest::keyClick(frame->grid, Qt::Key_1, Qt::ControlModifier);
        QVERIFY(frame->tbHrono->isChecked());
        QTest::keyClick(frame->grid, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(frame->tbOut->isChecked());
        QTest::keyClick(frame->grid, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(frame->tbInOut->isChecked());

        // Tab reaches the tool bars' buttons.
        for (QToolBar* bar : {frame->tbTop, frame->tbBottom})
            for (QAction* a : bar->actions())
                if (QWidget* w = bar->widgetForAction(a); w && !a->isSeparator())
                    QCOMPARE(w->focusPolicy(), Qt::TabFocus);
    }

    void enterOnARowShowsTheTransaction() {
        enter();
        showFrame();
        frame->grid->setFocus();
        frame->grid->setCurrentIndex(frame->grid->rows()->index(2, 0));
        const bool shown = AnswerModal(
            fView, [&] { QTest::keyClick(frame->grid, Qt::Key_Return); },
            [](QDialog* d) { d->accept(); });
        QVERIFY(shown);
        QCOMPARE(fView->eNote->toPlainText(), QStringLiteral("Lunch"));
    }

    void doubleClickOpensNothingWithoutATransaction() {
        enter();
        const auto opens = [&] {
            return AnswerModal(
                fView, [&] { frame->gridDblClick(); }, [](QDialog* d) { d->accept(); });
        };
        QVERIFY(!opens()); // nothing selected
        frame->tbMonth->trigger();
        frame->grid->setCurrentIndex(frame->grid->rows()->index(0, 0));
        QVERIFY(frame->grid->selectedRow() == 0);
        QVERIFY(!opens()); // group rows are no transactions
        frame->tbHrono->trigger();
        frame->grid->setCurrentIndex(frame->grid->rows()->index(0, 0));
        QVERIFY(opens());
    }

    // With LEDRA_GRAB_DIR set, pictures of the view in every mode, with the filter on, and of
    // both dialogs go there for a look; otherwise nothing happens.
    void grabForInspection() {
        const QString out = qEnvironmentVariable("LEDRA_GRAB_DIR");
        if (out.isEmpty())
            QSKIP("LEDRA_GRAB_DIR not set");
        MoneyData d = StandardData();
        d.add(PackDate(2002, 9, 30), 2, 2, 1234567.89, 2,
              "A memo long enough to run past the end of its column in the list", 2);
        d.add(PackDate(2002, 13, 0), 7, 1, -1.0, 11, "damaged day", 1);
        enter(d);
        frame->resize(760, 300);
        showFrame();
        for (QAction* mode : {frame->tbHrono, frame->tbMonth, frame->tbQuater, frame->tbYear}) {
            mode->trigger();
            frame->grab().save(out + "/money-" + mode->objectName() + ".png");
        }
        frame->tbHrono->trigger();
        fFilter->cbTrans->setEditText(QStringLiteral("Food"));
        fFilter->dFrom->setChecked(true);
        fFilter->dFrom->setDate({2002, 1, 1});
        fFilter->dTo->setChecked(true);
        fFilter->dTo->setDate({2002, 12, 31});
        frame->tbFilter->trigger();
        frame->grab().save(out + "/money-filter.png");
        AnswerModal(
            fFilter, [] { fFilter->exec(); },
            [&](QDialog* dlg) {
                dlg->grab().save(out + "/filter-dialog.png");
                dlg->accept();
            });
        frame->tbFilter->trigger();
        frame->grid->setCurrentIndex(frame->grid->rows()->index(4, 0));
        AnswerModal(
            fView, [&] { frame->gridDblClick(); },
            [&](QDialog* dlg) {
                dlg->grab().save(out + "/view-dialog.png");
                dlg->accept();
            });
    }

    // A total wider than its panel is never cut to its last digits: an elision mark, and the
    // whole text as the tooltip. One that fits carries no tooltip.
    void totalTooWideForItsPanelIsElidedWithTheWholeTextAsTooltip() {
        MoneyData d = StandardData();
        d.add(PackDate(2002, 5, 1), 1, 1, 1e300, 1, "Huge", 0);
        enter(d);
        const QString whole = frame->pTotal->toolTip();
        QVERIFY(whole.size() > 300);
        QVERIFY(whole.startsWith(QStringLiteral("1000000000000000052504760255204420248704")));
        QVERIFY(whole.endsWith(QStringLiteral(".00")));
        const QString shown = frame->pTotal->text();
        QVERIFY(shown.contains(QChar(0x2026)));
        QVERIFY(shown.startsWith(whole.left(2)));
        QVERIFY(frame->pTotal->fontMetrics().horizontalAdvance(shown) <=
                frame->pTotal->contentsRect().width());
        frame->tbOut->trigger(); // expenses only: a short total again
        QCOMPARE(frame->pTotal->text(), QStringLiteral("-37.72")); // 12.5 + 3 + 20 USD at 0.9
        QVERIFY(frame->pTotal->toolTip().isEmpty());
    }

    void enteringAgainRebuildsAsItWas() {
        enter();
        frame->tbMonth->trigger();
        frame->tbOut->trigger();
        frame->N[1]->trigger(); // USD
        frame->grid->rows()->clearRows();
        fMain->setWindowTitle(QStringLiteral("other"));
        frame->FrameEnter();
        QVERIFY(frame->tbMonth->isChecked());
        QVERIFY(frame->tbOut->isChecked());
        QCOMPARE(frame->pCurr->text(), QStringLiteral("USD"));
        QCOMPARE(fMain->windowTitle(), QStringLiteral("Ledra - By Month"));
        QCOMPARE(column(frame, 2), (QStringList{"-12.50", "-22.22", "-3.00"}));
    }
};

QTEST_MAIN(MoneyFrameTest)
#include "MoneyFrameTest.moc"
