// The chart dialog: what it shows for given sums, its keyboard cursor, scrolling, saved images
// and size; and how the Money view and the Tools menu open it.

#include "AppFixture.h"
#include "HandheldData.h"
#include "chart/Chart.h"
#include "money/Money.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace fixture;

namespace {

// Months from January `year` on, income 100 + i and expense -(50 + i) each, in home units.
ChartData Months(int count, int year = 1990) {
    ChartData d;
    d.sums.period = Period::Month;
    for (int i = 0; i < count; ++i)
        d.sums.periods.push_back({year + i / 12, i % 12 + 1, 100.0 + i, -(50.0 + i), 2});
    d.currency = "EUR";
    return d;
}

} // namespace

class ChartDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiSetup> gui_;

private slots:
    void init() { gui_ = std::make_unique<GuiSetup>(); }
    void cleanup() { gui_.reset(); }

    void statusLineFollowsTheKeyboardCursor() {
        TempDir dir;
        SetSettingsPathOverride(dir.file("Ledra.ini"));
        TfChart chart;
        chart.setData(Months(3, 2002));
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QCOMPARE(chart.lStatus->text(),
                 QStringLiteral("January 2002 to March 2002, 3 months: income 303.00, expense "
                                "-153.00, net 150.00 EUR"));
        QTest::keyClick(chart.pChart, Qt::Key_Right);
        QCOMPARE(chart.pChart->current(), 0);
        QCOMPARE(chart.lStatus->text(),
                 QStringLiteral("January 2002: income 100.00, expense -50.00, net 50.00 EUR; 2 "
                                "transaction(s)"));
        QTest::keyClick(chart.pChart, Qt::Key_Right);
        QTest::keyClick(chart.pChart, Qt::Key_Right);
        QTest::keyClick(chart.pChart, Qt::Key_Right); // stays on the last
        QCOMPARE(chart.pChart->current(), 2);
        QTest::keyClick(chart.pChart, Qt::Key_Left);
        QCOMPARE(chart.pChart->current(), 1);
        QVERIFY(chart.lStatus->text().startsWith(QStringLiteral("February 2002: income 101.00")));
        QCOMPARE(chart.pChart->toolTipText(1),
                 QStringLiteral("February 2002\nIncome: 101.00 EUR\nExpense: -51.00 EUR\nNet: "
                                "50.00 EUR\n2 transaction(s)"));
        SetSettingsPathOverride("");
    }

    void amountsAreShownInTheDisplayCurrency() {
        ChartData d = Months(1, 2002);
        d.rate = 0.9;
        d.currency = "USD";
        d.sums.undated = 2;
        ChartView view;
        view.setData(d);
        QCOMPARE(view.statusText(0),
                 QStringLiteral("January 2002: income 90.00, expense -45.00, net 45.00 USD; 2 "
                                "transaction(s)"));
        QVERIFY(view.summaryText().endsWith(
            QStringLiteral("(2 record(s) without a calendar day left out)")));
    }

    void nothingSelected() {
        TfChart chart;
        chart.setData(ChartData{});
        QCOMPARE(chart.lStatus->text(), QStringLiteral("No transaction is selected."));
        QTest::keyClick(chart.pChart, Qt::Key_Right);
        QCOMPARE(chart.pChart->current(), -1);
        QImage image(400, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        chart.pChart->paintChart(painter, image.rect(), 0, 0); // no period: no crash, a text
    }

    void thirtyYearsOfMonthsScroll() {
        TfChart chart;
        chart.resize(760, 460);
        chart.setData(Months(360));
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        ChartView* v = chart.pChart;
        QVERIFY(v->visibleCount() < 360);
        QVERIFY(v->visibleCount() >= 100);
        QVERIFY(chart.sbChart->isVisible());
        QCOMPARE(chart.sbChart->maximum(), 360 - v->visibleCount());
        // The latest months first.
        QCOMPARE(v->firstVisible(), 360 - v->visibleCount());
        QTest::keyClick(v, Qt::Key_Home);
        QCOMPARE(v->current(), 0);
        QCOMPARE(v->firstVisible(), 0);
        QCOMPARE(chart.sbChart->value(), 0);
        QTest::keyClick(v, Qt::Key_End);
        QCOMPARE(v->firstVisible(), 360 - v->visibleCount());
        chart.sbChart->setValue(10);
        QCOMPARE(v->firstVisible(), 10);
        // A span that fits has no scroll bar.
        chart.setData(Months(12));
        QVERIFY(!chart.sbChart->isVisible());
        QCOMPARE(v->visibleCount(), 12);
    }

    void pointerShowsThePeriodUnderIt() {
        TfChart chart;
        chart.resize(760, 460);
        chart.setData(Months(12, 2002));
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        ChartView* v = chart.pChart;
        // The middle of the plot's width lies in one of the middle months.
        const int index = v->periodAt(QPoint(v->width() / 2 + 20, v->height() / 2));
        QVERIFY(index >= 5 && index <= 7);
        QTest::mouseMove(v, QPoint(v->width() / 2 + 20, v->height() / 2));
        QTRY_COMPARE(chart.lStatus->text(), v->statusText(index));
        QCOMPARE(v->periodAt(QPoint(1, 1)), -1);
    }

    void saveImageWritesPngOrSvg() {
        TempDir dir;
        TfChart chart;
        chart.resize(760, 460);
        chart.setData(Months(360));
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const QString png = QString::fromStdString(dir.file("chart.png"));
        const QString svg = QString::fromStdString(dir.file("chart.SVG"));
        Dialogs::setNextSaveFileName(png);
        chart.bSave->click();
        Dialogs::setNextSaveFileName(svg);
        chart.bSave->click();
        Dialogs::setNextSaveFileName(QString()); // cancelled: nothing written
        chart.bSave->click();
        QCOMPARE(Dialogs::record().size(), 3);
        QCOMPARE(Dialogs::record().at(0).kind, Dialogs::Shown::SaveFile);
        const QImage image(png);
        QVERIFY(!image.isNull());
        // The whole span, not only what is on screen.
        QVERIFY(image.width() >= 360 * ChartView::kMinSlot);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.contains("<svg"));
        QVERIFY(bytes.contains("<title>Chart</title>"));
    }

    void unwritableImageShowsTheErrorBox() {
        TfChart chart;
        chart.setData(Months(3));
        Dialogs::setNextSaveFileName(QStringLiteral("/nonexistent-folder/chart.png"));
        chart.bSave->click();
        QCOMPARE(errors(),
                 QStringList{QStringLiteral("Cannot create file /nonexistent-folder/chart.png.")});
    }

    void windowSizeIsRemembered() {
        TempDir dir;
        SetSettingsPathOverride(dir.file("Ledra.ini"));
        {
            TfChart chart;
            chart.setData(Months(3));
            chart.show();
            QVERIFY(QTest::qWaitForWindowExposed(&chart));
            QCOMPARE(chart.size(), QSize(TfChart::kDefaultWidth, TfChart::kDefaultHeight));
            chart.resize(900, 520);
            chart.reject();
        }
        QCOMPARE(GetProfileString("Chart", "Width", "", dir.file("Ledra.ini")), "900");
        QCOMPARE(GetProfileString("Chart", "Height", "", dir.file("Ledra.ini")), "520");
        {
            TfChart chart;
            chart.show();
            QVERIFY(QTest::qWaitForWindowExposed(&chart));
            QCOMPARE(chart.size(), QSize(900, 520));
            chart.reject();
        }
        // A size no window can have is not taken.
        WriteProfileString("Chart", "Width", "-5", dir.file("Ledra.ini"));
        TfChart chart;
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QCOMPARE(chart.size(), QSize(TfChart::kDefaultWidth, TfChart::kDefaultHeight));
        SetSettingsPathOverride("");
    }

    void chartIsInTheCurrencyOfTheTotal() {
        AppRun run;
        run.create();
        HandheldData d; // EUR at home in slot 1, USD at 0.9 in slot 2
        d.currencies[3] = {"Zero", "ZZZ", 0.0, false, true};
        d.add(PackDate(2002, 3, 1), 2, 1, 100.0, 1);
        d.add(PackDate(2002, 3, 2), 1, 1, -20.0, 2); // -22.22 at home
        d.add(PackDate(2002, 1, 5), 1, 1, 5.0, 1, "", 2);
        d.write(run.dir.file("db"));
        for (auto [db, name] : {std::pair{MoneyDb, "Money"}, std::pair{TypesDb, "Types"},
                                std::pair{PaymentDb, "Payment"}, std::pair{CurrencyDb, "Currency"}})
            QCOMPARE(db->Open(run.dir.file("db/Ledra_" + std::string(name) + ".PDB")), 0);
        ListingChoices c;
        c.mode = DisplayMode::ByYear;
        struct Case {
            int display, category;
            const char* status;
        };
        for (const Case& k : {
                 Case{2, kAllCategories,
                      "Year 2002: income 94.50, expense -20.00, net 74.50 USD; 3 transaction(s)"},
                 Case{1, kAllCategories,
                      "Year 2002: income 105.00, expense -22.22, net 82.78 EUR; 3 transaction(s)"},
                 // A rate that converts nothing leaves the home amounts, named as such.
                 Case{3, kAllCategories,
                      "Year 2002: income 105.00, expense -22.22, net 82.78 EUR; 3 transaction(s)"},
                 Case{2, 2, "Year 2002: income 4.50, expense 0.00, net 4.50 USD; 1 transaction(s)"},
             }) {
            c.category = k.category;
            ChartView view;
            view.setData(ChartDataFor(c, k.display));
            QCOMPARE(view.periodCount(), 1);
            QCOMPARE(view.statusText(0), QString::fromLatin1(k.status));
        }
    }

    void moneyViewOpensTheChartOfItsSelection() {
        AppRun run;
        run.addUser("alice", 5); // -10 .. -14 EUR in January to May 2020
        run.setIni("Users", "User", "alice");
        run.setIni("Money", "Mode", "2"); // by quarter
        QVERIFY(run.start());
        QVERIFY(!fMain->mChart->isEnabled());
        fMain->tbMoney->trigger();
        QVERIFY(fMain->mChart->isEnabled());
        auto* money = qobject_cast<TfMoney*>(fMain->ActiveFrame);
        QVERIFY(money);
        QVERIFY(money->findChild<QAction*>(QStringLiteral("tbChart")));

        QString status;
        TfChart* shown = AnswerNewModal<TfChart>([&] { money->tbChart->trigger(); },
                                                 [&](TfChart* c) { status = c->lStatus->text(); });
        QVERIFY(shown);
        QCOMPARE(shown->objectName(), QStringLiteral("fChart"));
        QCOMPARE(shown->windowTitle(), QStringLiteral("Chart"));
        QCOMPARE(status, QStringLiteral("1 quarter of 2020 to 2 quarter of 2020, 2 quarters: "
                                        "income 0.00, expense -60.00, net -60.00 EUR"));

        // The Tools menu item opens the same chart; the chronological mode charts months.
        money->tbHrono->trigger();
        shown = AnswerNewModal<TfChart>([&] { fMain->mChart->trigger(); },
                                        [&](TfChart* c) { status = c->lStatus->text(); });
        QVERIFY(shown);
        QVERIFY(status.startsWith(QStringLiteral("January 2020 to May 2020, 5 months:")));

        fMain->tbTypes->trigger();
        QVERIFY(!fMain->mChart->isEnabled());
        QVERIFY(errors().isEmpty());
    }
};

QTEST_MAIN(ChartDialogTest)
#include "ChartDialogTest.moc"
