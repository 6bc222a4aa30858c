// The export dialog over the lists as the views show them: the bytes written for each view, the
// proposed file names, the browse button, the failure path and the order of settings and file.

#include "PdbWriter.h"
#include "TempDir.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "export/Export.h"
#include "lists/Currency.h"
#include "lists/Payment.h"
#include "lists/Transaction.h"
#include "platform/AppPaths.h"
#include "platform/Regional.h"
#include "settings/Global.h"
#include "settings/Setup.h"
#include "widgets/Dialogs.h"
#include "widgets/ListGrid.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

QByteArray fileBytes(const std::string& path) {
    QFile f(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

} // namespace

class ExportDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;

    std::string iniPath() const { return dir_->file("Ledra.ini"); }

    void openDb(cPDB* db, const PdbWriter& w, const std::string& name) {
        db->Close();
        w.save(dir_->file(name));
        QCOMPARE(db->Open(dir_->file(name)), 0);
    }

    // Shows a view the way the main window does: the frame registers its list on entry.
    template <class Frame> Frame* showView(int activeView) {
        auto* frame = new Frame(fMain->pMain);
        fMain->ActiveFrame = frame;
        fMain->ActiveView = activeView;
        frame->FrameEnter();
        return frame;
    }

    // Presses Export with `path` in the box; returns the bytes of the file.
    QByteArray exportTo(const std::string& path, bool header) {
        fExport->eFile->setText(QFile::decodeName(QByteArray::fromStdString(path)));
        fExport->cbHeader->setChecked(header);
        fExport->setResult(-1);
        fExport->bOK->click();
        return fileBytes(path);
    }

private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        SetRegionalFormats(CFormats());
        SetSettingsPathOverride(iniPath());
        Dialogs::startRecording();
        CreateForms();
    }
    void cleanup() {
        DestroyForms();
        Dialogs::stopRecording();
        SetSettingsPathOverride("");
        dir_.reset();
    }

    void paymentList_data() {
        QTest::addColumn<bool>("header");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray rows = "3,Cash\r\n4,\"Visa Card\"\r\n-1,\"Say \"\"hi\"\"\"\r\n7,\r\n";
        QTest::newRow("with header") << true << "Id,\"Payment Type\"\r\n" + rows;
        QTest::newRow("without header") << false << rows;
    }
    void paymentList() {
        QFETCH(bool, header);
        QFETCH(QByteArray, expected);
        PdbWriter w;
        w.add(TypeRecordBytes(3, "Cash"));
        w.add(TypeRecordBytes(4, "Visa Card"));
        w.add(TypeRecordBytes(-1, "Say \"hi\""));
        w.add(TypeRecordBytes(7, ""));
        openDb(PaymentDb, w, "pay.PDB");
        showView<TfPayment>(2);
        QCOMPARE(exportTo(dir_->file("p.CSV"), header), expected);
        QCOMPARE(fExport->result(), int(QDialog::Accepted));
        QVERIFY(Dialogs::record().isEmpty());
    }

    void typesList() {
        PdbWriter w;
        w.add(TypeRecordBytes(1, "Food"));
        w.add(TypeRecordBytes(-32768, "Caf\xE9, bar")); // a byte above 127 alone never quotes
        w.add(TypeRecordBytes(2, "Caf\xE9"));
        openDb(TypesDb, w, "types.PDB");
        showView<TfTrans>(1);
        QCOMPARE(exportTo(dir_->file("t.CSV"), true),
                 QByteArray("Id,\"Transaction Type\"\r\n1,Food\r\n-32768,\"Caf\xE9, bar\"\r\n"
                            "2,Caf\xE9\r\n"));
    }

    void currencyList_data() {
        QTest::addColumn<bool>("header");
        QTest::newRow("with header") << true;
        QTest::newRow("without header") << false;
    }
    void currencyList() {
        QFETCH(bool, header);
        std::array<CurrencySlot, 11> cur{};
        cur[0] = {"Never", "NVR", 5.0, true, true};
        cur[1] = {"Euro", "EUR", 1.0, true, true};
        cur[2] = {"US Dollar", "USD", 1234.5, false, true};
        cur[4] = {"Franc", "CHF", 1.4671, false, false};
        PdbWriter w;
        w.add(CurrencyTableRecord(cur));
        openDb(CurrencyDb, w, "curr.PDB");
        showView<TfCurrency>(3);
        QByteArray expected = header ? "Code,Name,Rate,Favorite,Home\r\n" : "";
        expected += "EUR,Euro,1.000000,*,*\r\n"
                    "USD,\"US Dollar\",1234.500000,*,\" \"\r\n"
                    ",,0.000000,\" \",\" \"\r\n"
                    "CHF,Franc,1.467100,\" \",\" \"\r\n";
        for (int i = 0; i < 6; ++i)
            expected += ",,0.000000,\" \",\" \"\r\n";
        QCOMPARE(exportTo(dir_->file("c.CSV"), header), expected);
    }

    // The Money view's list stands in as a grid filled the way that view fills it: seven
    // columns, chronological rows, and group rows that hold fewer cells than there are columns.
    void moneyList() {
        auto* grid = new ListGrid(fMain->pMain);
        grid->setColumns({{"Date", 70},
                          {"Transaction Type", 100},
                          {"Amount", 70, Qt::AlignRight},
                          {"Curr.", 40},
                          {"Memo", 150},
                          {"Payment Type", 90},
                          {"Category", 80}});
        grid->rows()->setRows({
            {"05/17/2002", "Food", "-12.50", "EUR", "Supermarket \"Sonne\"", "Cash", "Household"},
            {"05/18/2002", "Food", "-3.20", "EUR", "Market, vegetables", "Visa Card", "Household"},
            {"05/19/2002", "Salary", "2100.00", "EUR", "", "Bank Transfer", "Income"},
            {"May 2002", "", "2084.30"},
        });
        fMain->ActiveGrid = grid;
        fMain->ActiveView = 0;
        QCOMPARE(exportTo(dir_->file("m.CSV"), true),
                 QByteArray(
                     "Date,\"Transaction Type\",Amount,Curr.,Memo,\"Payment Type\",Category\r\n"
                     "05/17/2002,Food,-12.50,EUR,\"Supermarket \"\"Sonne\"\"\",Cash,Household\r\n"
                     "05/18/2002,Food,-3.20,EUR,\"Market, vegetables\",\"Visa Card\",Household\r\n"
                     "05/19/2002,Salary,2100.00,EUR,,\"Bank Transfer\",Income\r\n"
                     "\"May 2002\",,2084.30\r\n"));
    }

    void listWithoutRows() {
        openDb(PaymentDb, PdbWriter{}, "empty.PDB");
        showView<TfPayment>(2);
        QCOMPARE(exportTo(dir_->file("none.CSV"), false), QByteArray(""));
        QVERIFY(std::filesystem::exists(dir_->file("none.CSV")));
        QCOMPARE(exportTo(dir_->file("head.CSV"), true), QByteArray("Id,\"Payment Type\"\r\n"));
    }

    void replacesAnExistingFile() {
        openDb(PaymentDb, PdbWriter{}, "empty.PDB");
        showView<TfPayment>(2);
        std::ofstream(dir_->file("old.CSV")) << "a much longer file that was there before\r\n";
        QCOMPARE(exportTo(dir_->file("old.CSV"), true), QByteArray("Id,\"Payment Type\"\r\n"));
    }

    void proposals_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("slash") << "/home/ann/exports/out.CSV" << 1
                               << "/home/ann/exports/Ledra_Types.CSV";
        QTest::newRow("backslash") << "C:\\Data\\out.CSV" << 2 << "C:\\Data\\Ledra_Payment.CSV";
        QTest::newRow("colon") << "D:out.CSV" << 3 << "D:Ledra_Currency.CSV";
        QTest::newRow("bare name") << "out.CSV" << 0 << "Ledra_Money.CSV";
        QTest::newRow("empty") << "" << 1 << "Ledra_Types.CSV";
        QTest::newRow("last separator wins")
            << "C:\\a/b\\c:d/e.csv" << 0 << "C:\\a/b\\c:d/Ledra_Money.CSV";
        QTest::newRow("folder only") << "/tmp/x/" << 3 << "/tmp/x/Ledra_Currency.CSV";
        QTest::newRow("no view") << "/tmp/x/out.CSV" << 4 << "/tmp/x/out.CSV";
        QTest::newRow("negative view") << "/tmp/x/out.CSV" << -1 << "/tmp/x/out.CSV";
    }
    void proposals() {
        QFETCH(QString, current);
        QFETCH(int, view);
        QFETCH(QString, proposed);
        QCOMPARE(ProposeExportPath(current, view), proposed);
        // The same through the dialog being shown.
        fMain->ActiveView = view;
        fExport->eFile->setText(current);
        fExport->show();
        QCOMPARE(fExport->eFile->text(), proposed);
        fExport->hide();
    }

    void browse() {
        fExport->eFile->setText(QStringLiteral("/before/out.CSV"));
        Dialogs::setNextSaveFileName(QStringLiteral("/chosen/mine.CSV"));
        fExport->sbBrowse->click();
        QCOMPARE(fExport->eFile->text(), QStringLiteral("/chosen/mine.CSV"));
        fExport->sbBrowse->click(); // cancelled: no answer queued
        QCOMPARE(fExport->eFile->text(), QStringLiteral("/chosen/mine.CSV"));
        QCOMPARE(Dialogs::record().size(), 2);
        QCOMPARE(Dialogs::record()[0].kind, Dialogs::Shown::SaveFile);
    }

    void missingFolderShowsTheErrorAndStillEndsWithOk() {
        PdbWriter w;
        w.add(TypeRecordBytes(1, "Cash"));
        openDb(PaymentDb, w, "pay.PDB");
        showView<TfPayment>(2);
        const std::string path = dir_->file("no such folder") + "/out.CSV";
        QCOMPARE(exportTo(path, true), QByteArray("<missing>"));
        QCOMPARE(fExport->result(), int(QDialog::Accepted));
        QCOMPARE(Dialogs::record().size(), 1);
        QCOMPARE(Dialogs::record()[0].kind, Dialogs::Shown::Error);
        QCOMPARE(Dialogs::record()[0].text,
                 QStringLiteral("Cannot create file %1.").arg(QString::fromStdString(path)));
        // The settings were saved all the same, with the path that failed.
        const QByteArray ini = fileBytes(iniPath());
        QVERIFY2(ini.contains("[Export]"), ini.constData());
        QVERIFY2(ini.contains(QByteArray("Path=") + path.c_str()), ini.constData());
        QVERIFY2(ini.contains("Header=1"), ini.constData());
    }

    // With the settings file and the export at the same path, whatever is written last is what
    // the file holds: the settings must come first and the export replace them.
    void settingsAreSavedBeforeTheFile() {
        PdbWriter w;
        w.add(TypeRecordBytes(1, "Cash"));
        openDb(PaymentDb, w, "pay.PDB");
        showView<TfPayment>(2);
        const std::string both = dir_->file("both.CSV");
        SetSettingsPathOverride(both);
        QCOMPARE(exportTo(both, false), QByteArray("1,Cash\r\n"));
        SetSettingsPathOverride(iniPath());
        QVERIFY(Dialogs::record().isEmpty());
        // And a separate settings file shows the save really happened.
        exportTo(dir_->file("x.CSV"), false);
        QVERIFY(fileBytes(iniPath()).contains("Header=0"));
    }

    void nonAsciiPath() {
        PdbWriter w;
        w.add(TypeRecordBytes(1, "Cash"));
        openDb(PaymentDb, w, "pay.PDB");
        showView<TfPayment>(2);
        const QString path = QString::fromStdString(dir_->path()) +
                             QStringLiteral("/\u00dcberweisungen \u20ac \u0416.CSV");
        fExport->eFile->setText(path);
        fExport->cbHeader->setChecked(false);
        fExport->bOK->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("1,Cash\r\n"));
        QVERIFY(Dialogs::record().isEmpty());
        // The setting keeps the file system's bytes and gives the same name back.
        QCOMPARE(fExport->PathSetting(), QFile::encodeName(path).toStdString());
        fExport->eFile->clear();
        fExport->SetPathSetting(QFile::encodeName(path).toStdString());
        QCOMPARE(fExport->eFile->text(), path);
        fExport->SetPathSetting("C:\\Daten\\M\xFCller.CSV"); // single-byte text of an older file
        QCOMPARE(fExport->eFile->text(), QStringLiteral("C:\\Daten\\M\u00fcller.CSV"));
        // Through the settings file: the export saved the name, a load gives it back whole.
        fExport->eFile->clear();
        fSetup->LoadSettings();
        QCOMPARE(fExport->eFile->text(), path);
    }

    // Not reachable from the menus, which offer the export only with a view shown; still no
    // silent success.
    void noListIsAnErrorNotAnEmptyFile() {
        fMain->ActiveGrid = nullptr;
        QCOMPARE(exportTo(dir_->file("n.CSV"), true), QByteArray("<missing>"));
        QCOMPARE(fExport->result(), int(QDialog::Accepted));
        QCOMPARE(Dialogs::record().size(), 1);
        QCOMPARE(Dialogs::record()[0].text, QStringLiteral("There is no list to export."));
    }

    void cancelWritesNothing() {
        openDb(PaymentDb, PdbWriter{}, "empty.PDB");
        showView<TfPayment>(2);
        fExport->eFile->setText(QString::fromStdString(dir_->file("c.CSV")));
        fExport->bCancel->click();
        QCOMPARE(fExport->result(), int(QDialog::Rejected));
        QVERIFY(!std::filesystem::exists(dir_->file("c.CSV")));
        QVERIFY(!std::filesystem::exists(iniPath()));
    }

    void layout() {
        QCOMPARE(fExport->windowTitle(), QStringLiteral("Export to (*CSV)"));
        QCOMPARE(fExport->size(), QSize(561, 107));
        QCOMPARE(fExport->findChild<QLabel*>("Label1")->text(), QStringLiteral("Export To:"));
        QCOMPARE(fExport->findChild<QToolButton*>("sbBrowse")->text(), QStringLiteral("..."));
        QVERIFY(fExport->sbBrowse->font().bold());
        QVERIFY(fExport->sbBrowse->autoRaise());
        QCOMPARE(fExport->findChild<QCheckBox*>("cbHeader")->text(),
                 QStringLiteral("Export Header"));
        QVERIFY(fExport->findChild<QFrame*>("Bevel1"));
        QCOMPARE(fExport->findChild<QPushButton*>("bOK")->text(), QStringLiteral("&Export"));
        QVERIFY(fExport->bOK->isDefault());
        QCOMPARE(fExport->findChild<QPushButton*>("bCancel")->text(), QStringLiteral("&Cancel"));
        QVERIFY(fExport->findChild<QLineEdit*>("eFile"));
        // No caption is cut, whichever face stands in for the designed one.
        for (QWidget* w : QList<QWidget*>{fExport->Label1, fExport->cbHeader})
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
        for (QPushButton* b : {fExport->bOK, fExport->bCancel})
            QVERIFY(b->fontMetrics().horizontalAdvance(b->text()) + 8 < b->width());
        QVERIFY(fExport->Label1->geometry().right() < fExport->eFile->x());
        QCOMPARE(fExport->eFile->geometry().right(), 520);
        // Tab order: eFile, bOK, bCancel, cbHeader; the flat button takes no focus.
        QCOMPARE(fExport->sbBrowse->focusPolicy(), Qt::NoFocus);
        fExport->show();
        fExport->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fExport));
        fExport->eFile->setFocus();
        QList<QWidget*> order;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget();
        }
        QCOMPARE(order, (QList<QWidget*>{fExport->bOK, fExport->bCancel, fExport->cbHeader,
                                         fExport->eFile}));
        fExport->hide();
    }

    void escapeCancels() {
        fExport->show();
        QTest::keyClick(fExport, Qt::Key_Escape);
        QCOMPARE(fExport->result(), int(QDialog::Rejected));
        QVERIFY(!fExport->isVisible());
    }
};

QTEST_MAIN(ExportDialogTest)
#include "ExportDialogTest.moc"
