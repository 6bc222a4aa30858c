// The finance export dialog: its controls and menu item, the files it writes for each format,
// "Only what the Money view shows", the settings it keeps, browsing and failures. With
// LEDRA_GRAB_DIR set, the dialog is also written there as a PNG for a look.

#include "GuiFixture.h"
#include "finance/Finance.h"
#include "money/Money.h"
#include "settings/Setup.h"
#include "widgets/Dialogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

MoneyData financeData() {
    MoneyData d;
    d.labels = {"Unfiled", "", "Business"};
    d.add(PackDate(2002, 1, 3), 1, 1, -12.5, 1, "Caf\xE9", 2);
    d.add(PackDate(2002, 1, 4), 2, 2, 100.0, 2, "pay", 0);
    d.add(PackDate(2002, 2, 30), 1, 1, -1.0, 1, "no day", 0);
    return d;
}

QString q(const std::string& s) {
    return QFile::decodeName(QByteArray::fromStdString(s));
}

} // namespace

class FinanceDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> fx;

    // Opens the dialog from the Tools menu; `answer` runs while it is up.
    void withDialog(const std::function<void()>& answer) {
        QVERIFY(AnswerModal(
            fFinance, [] { fMain->mFinance->trigger(); }, [&](QDialog*) { answer(); }));
    }

    TfMoney* showMoney() {
        fSetup->LoadSettings();
        fMain->tbMoney->setEnabled(true);
        fMain->tbMoney->trigger();
        return dynamic_cast<TfMoney*>(fMain->ActiveFrame);
    }

private slots:
    void init() {
        fx = std::make_unique<GuiFixture>();
        Dialogs::startRecording();
    }
    void cleanup() {
        fx.reset();
        Dialogs::stopRecording();
    }

    void controlsAndMenuItem() {
        QCOMPARE(fFinance->objectName(), QStringLiteral("fFinance"));
        QCOMPARE(fMain->mFinance->objectName(), QStringLiteral("mFinance"));
        QCOMPARE(fMain->mFinance->text(), QStringLiteral("Export for &Finance Programs..."));
        QVERIFY(fMain->ToolsMenu->actions().contains(fMain->mFinance));
        for (const char* name :
             {"gbFormat", "rbQif", "rbOfx", "rbHomeBank", "rbCsv", "lTarget", "eTarget", "sbBrowse",
              "cbShown", "lSummary", "mSummary", "bExport", "bClose"})
            QVERIFY2(fFinance->findChild<QWidget*>(QLatin1String(name)), name);
        QCOMPARE(fFinance->rbHomeBank->text(), QStringLiteral("HomeBank CSV: HomeBank"));
        QVERIFY(fFinance->rbQif->text().contains(QStringLiteral("GnuCash")));
        QVERIFY(fFinance->rbCsv->text().contains(QStringLiteral("LibreOffice Calc")));
        QCOMPARE(fFinance->cbShown->text(), QStringLiteral("Only what the Money view shows"));
        QVERIFY(fFinance->isModal());
    }

    void writesEachFormatAndShowsTheSummary() {
        fx->open(financeData());
        struct Case {
            QRadioButton* button;
            std::string target;
            std::vector<std::string> files; // empty: the target is the file
            const char* summary;
        };
        const Case cases[] = {
            {fFinance->rbQif,
             fx->dir.file("out/qif"),
             {"EUR.qif", "USD.qif"},
             "2 files written, 2 transactions written, 1 record left out"},
            {fFinance->rbOfx,
             fx->dir.file("out/ofx"),
             {"Cash EUR.ofx", "Card USD.ofx"},
             "2 files written, 2 transactions written, 1 record left out"},
            {fFinance->rbHomeBank,
             fx->dir.file("out/hb"),
             {"Cash EUR.csv", "Card USD.csv"},
             "2 files written, 2 transactions written, 1 record left out"},
            {fFinance->rbCsv,
             fx->dir.file("out/money.csv"),
             {},
             "1 file written, 3 transactions written, 0 records left out"},
        };
        for (const Case& c : cases) {
            QString summary;
            withDialog([&] {
                c.button->setChecked(true);
                fFinance->eTarget->setText(q(c.target));
                fFinance->bExport->click();
                summary = fFinance->mSummary->toPlainText();
                QVERIFY(fFinance->isVisible()); // the summary stays in view
                fFinance->bClose->click();
            });
            QVERIFY2(Dialogs::record().isEmpty(), qPrintable(Dialogs::record().value(0).text));
            QCOMPARE(summary.section(QLatin1Char('\n'), 0, 0), QString::fromUtf8(c.summary));
            if (c.files.empty())
                QVERIFY(fs::is_regular_file(c.target));
            for (const std::string& f : c.files) {
                QVERIFY2(fs::is_regular_file(c.target + "/" + f), f.c_str());
                QVERIFY(summary.contains(q(f)));
            }
            if (!c.files.empty())
                QVERIFY(summary.contains(QStringLiteral(
                    "Left out record 3 (no calendar day): 2002-02-30, Food, Cash, -1.00 EUR, "
                    "Unfiled, no day")));
        }
        // The csv table holds the memo as UTF-8.
        QFile csv(q(fx->dir.file("out/money.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(csv.readAll().contains("Caf\xC3\xA9"));
    }

    void onlyWhatTheMoneyViewShows() {
        fx->open(financeData());
        const std::string file = fx->dir.file("shown.csv");
        // No Money view: the box is off and everything is written.
        withDialog([&] {
            QVERIFY(!fFinance->cbShown->isEnabled());
            fFinance->rbCsv->setChecked(true);
            fFinance->cbShown->setChecked(true);
            fFinance->eTarget->setText(q(file));
            fFinance->bExport->click();
            QVERIFY(fFinance->mSummary->toPlainText().contains("3 transactions written"));
        });
        // The Money view on "Business" in months and income only: its category is taken, its
        // mode and flow are not.
        TfMoney* money = showMoney();
        QVERIFY(money);
        money->cbCat->setCurrentIndex(money->cbCat->findText(QStringLiteral("Business")));
        money->tbMonth->trigger();
        money->tbIn->trigger();
        withDialog([&] {
            QVERIFY(fFinance->cbShown->isEnabled());
            QVERIFY(fFinance->cbShown->isChecked()); // remembered
            QCOMPARE(fFinance->eTarget->text(), q(file));
            fFinance->bExport->click();
            QVERIFY2(fFinance->mSummary->toPlainText().startsWith(
                         "1 file written, 1 transaction written"),
                     qPrintable(fFinance->mSummary->toPlainText()));
            fFinance->cbShown->setChecked(false);
            fFinance->bExport->click();
            QVERIFY(fFinance->mSummary->toPlainText().contains("3 transactions written"));
        });
    }

    void choicesAreKeptInTheFinanceSection() {
        const std::string folder = fx->dir.file("Geld \xC3\xBC");
        fx->setIni("Finance", "Format", "homebank");
        fx->setIni("Finance", "Folder", folder);
        fx->setIni("Finance", "File", fx->dir.file("t.csv"));
        fx->setIni("Finance", "Shown", "1");
        withDialog([&] {
            QVERIFY(fFinance->rbHomeBank->isChecked());
            QCOMPARE(fFinance->eTarget->text(), q(folder));
            QCOMPARE(fFinance->lTarget->text(), QStringLiteral("Target &folder:"));
            QVERIFY(fFinance->cbShown->isChecked());
            // Switching to the one-file format shows the file, and back the folder.
            fFinance->rbCsv->setChecked(true);
            QCOMPARE(fFinance->eTarget->text(), q(fx->dir.file("t.csv")));
            QCOMPARE(fFinance->lTarget->text(), QStringLiteral("Target &file:"));
            fFinance->eTarget->setText(q(fx->dir.file("u.csv")));
            fFinance->rbOfx->setChecked(true);
            QCOMPARE(fFinance->eTarget->text(), q(folder));
            fFinance->cbShown->setChecked(false);
            fFinance->bClose->click();
        });
        QCOMPARE(fx->ini("Finance", "Format"), std::string("ofx"));
        QCOMPARE(fx->ini("Finance", "Folder"), folder);
        QCOMPARE(fx->ini("Finance", "File"), fx->dir.file("u.csv"));
        QCOMPARE(fx->ini("Finance", "Shown"), std::string("0"));
        // Another section is not touched by the dialog.
        QCOMPARE(fx->ini("Export", "Path"), std::string("<absent>"));
    }

    void browseAsksForAFolderOrAFile() {
        withDialog([&] {
            fFinance->rbQif->setChecked(true);
            Dialogs::setNextFolderName(QStringLiteral("/tmp/chosen"));
            fFinance->sbBrowse->click();
            QCOMPARE(fFinance->eTarget->text(), QStringLiteral("/tmp/chosen"));
            fFinance->rbCsv->setChecked(true);
            Dialogs::setNextSaveFileName(QStringLiteral("/tmp/chosen.csv"));
            fFinance->sbBrowse->click();
            QCOMPARE(fFinance->eTarget->text(), QStringLiteral("/tmp/chosen.csv"));
            fFinance->sbBrowse->click(); // cancelled: the box keeps its text
            QCOMPARE(fFinance->eTarget->text(), QStringLiteral("/tmp/chosen.csv"));
        });
        QCOMPARE(Dialogs::record().size(), 3);
        QCOMPARE(Dialogs::record()[0].kind, Dialogs::Shown::Folder);
        QCOMPARE(Dialogs::record()[1].kind, Dialogs::Shown::SaveFile);
    }

    void failuresShowTheErrorBox() {
        // Without open databases.
        withDialog([&] { fFinance->bExport->click(); });
        QCOMPARE(Dialogs::record().size(), 1);
        QCOMPARE(Dialogs::record()[0].text,
                 QStringLiteral("The handheld user's databases are not open."));
        Dialogs::clearRecord();

        fx->open(financeData());
        const std::string plain = fx->dir.file("plain");
        QFile f(q(plain));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        withDialog([&] {
            fFinance->rbQif->setChecked(true);
            fFinance->eTarget->setText(q(plain));
            fFinance->bExport->click();
            QVERIFY(fFinance->mSummary->toPlainText().isEmpty());
        });
        QCOMPARE(Dialogs::record().size(), 1);
        QCOMPARE(Dialogs::record()[0].kind, Dialogs::Shown::Error);
        QCOMPARE(Dialogs::record()[0].text, q("Cannot create folder " + plain + "."));
    }

    void looksWhole() {
        fx->open(financeData());
        withDialog([&] {
            fFinance->rbQif->setChecked(true);
            fFinance->eTarget->setText(q(fx->dir.file("look")));
            fFinance->bExport->click();
            for (QWidget* w : fFinance->findChildren<QWidget*>()) {
                if (!w->isVisible())
                    continue;
                if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))
                    QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
                const QRect inForm(w->mapTo(fFinance, QPoint(0, 0)), w->size());
                QVERIFY2(fFinance->rect().contains(inForm), qPrintable(w->objectName()));
            }
            const QString dir = qEnvironmentVariable("LEDRA_GRAB_DIR");
            if (!dir.isEmpty()) {
                QDir().mkpath(dir);
                fFinance->grab().save(dir + QStringLiteral("/fFinance.png"));
            }
        });
    }
};

QTEST_MAIN(FinanceDialogTest)
#include "FinanceDialogTest.moc"
