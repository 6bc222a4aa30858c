// A viewer of old backups meets damaged settings files and must never change a database: the
// four files stay byte for byte and in their modification times after every view, mode and
// export, in the viewer and in ledra-export; and a damaged Ledra.ini never crashes the viewer
// nor loses what else the file holds at the next save.

#include "AppFixture.h"
#include "ExportCli.h"
#include "WriteWatch.h"
#include "export/Export.h"
#include "money/Money.h"
#include "settings/Setup.h"
#include "widgets/ListGrid.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <sstream>
#include <sys/stat.h>

using namespace fixture;

namespace {

const char* const kFiles[] = {"Ledra_Money.PDB", "Ledra_Payment.PDB", "Ledra_Currency.PDB",
                              "Ledra_Types.PDB"};

std::vector<FileFingerprint> fingerprints(const std::string& backup) {
    std::vector<FileFingerprint> f;
    for (const char* name : kFiles)
        f.push_back(Fingerprint(backup + "/" + name));
    return f;
}

bool contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

private slots:
    void viewerNeverWritesADatabase();
    void exportToolNeverWritesADatabase();
    void damagedSettingsFile_data();
    void damagedSettingsFile();
    void settingsFileThatIsADirectory();
    void readOnlySettingsFile();
};

void HostileInputTest::viewerNeverWritesADatabase() {
    AppRun run;
    run.addUser("Anna", 30);
    run.addUser("Ben", 5);
    run.setIni("Users", "User", "Anna");
    const std::string backup = run.root() + "Anna/BACKUP";
    const auto before = fingerprints(backup);
    WriteWatch watch(backup);

    QVERIFY(run.start());
    QVERIFY(MoneyDb->isOpen());
    const std::string out = run.dir.file("out.CSV");
    auto exportShown = [&] {
        fExport->eFile->setText(QString::fromStdString(out));
        fExport->bOKClick();
    };

    fMain->tbMoney->trigger();
    auto* money = fMain->findChild<TfMoney*>();
    QVERIFY(money);
    for (QAction* mode : {money->tbHrono, money->tbMonth, money->tbQuater, money->tbYear})
        for (QAction* flow : {money->tbIn, money->tbOut, money->tbInOut}) {
            mode->trigger();
            flow->trigger();
            money->tbFilter->trigger(); // on, then off again at the next turn
            exportShown();
        }
    for (QAction* view : {fMain->tbTypes, fMain->tbPayment, fMain->tbCurrency}) {
        view->trigger();
        exportShown();
    }
    // A change of user closes and reopens the databases; the end of the run saves the user.
    fMain->cbUser->setCurrentIndex(fMain->cbUser->findText(QStringLiteral("Ben")));
    fMain->cbUserChange();
    fMain->close();
    QApplication::processEvents();

    QVERIFY2(errors().isEmpty(), qPrintable(errors().join(QLatin1Char('|'))));
    QVERIFY(watch.readCloses() > 0); // the watch saw the databases being read
    const std::vector<std::string> writes = watch.writes();
    QVERIFY2(writes.empty(), writes.empty() ? "" : writes.front().c_str());
    QVERIFY(fingerprints(backup) == before);
}

void HostileInputTest::exportToolNeverWritesADatabase() {
    TempDir dir;
    AppRun layout; // only for its data-root writer
    layout.addUser("Anna", 30);
    const std::string backup = layout.root() + "Anna/BACKUP";
    const auto before = fingerprints(backup);
    WriteWatch watch(backup);
    SetRegionalFormats(CFormats());

    int runs = 0;
    for (const char* view : {"money", "types", "payment", "currency"}) {
        std::vector<std::vector<std::string>> variants{{}};
        if (std::string(view) == "money")
            variants = {{"--mode", "chrono"},
                        {"--mode", "month", "--flow", "in"},
                        {"--mode", "quarter", "--trans", "Food"},
                        {"--mode", "year", "--total"}};
        for (const auto& extra : variants) {
            std::vector<std::string> args{"--root", layout.root(), "--user", "Anna",
                                          "--view", view,          "-o",     dir.file("out.csv")};
            args.insert(args.end(), extra.begin(), extra.end());
            std::ostringstream out, err;
            QCOMPARE(ledraexport::RunExport(args, out, err), ledraexport::kWritten);
            ++runs;
        }
    }
    QCOMPARE(runs, 7);
    QVERIFY(watch.readCloses() >= 4 * runs);
    QVERIFY(watch.writes().empty());
    QVERIFY(fingerprints(backup) == before);
}

// Each damaged file: what start-up must still do, and the line of the file that must survive
// the next save untouched.
void HostileInputTest::damagedSettingsFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expectedUser");
    QTest::addColumn<QString>("expectedError");
    QTest::addColumn<QByteArray>("keptLine");

    QByteArray binary("[Users]\r\nUser=Anna\r\n");
    for (int b = 0; b < 256; ++b)
        binary.append(static_cast<char>(255 - b));
    binary.append("\r\n[Other]\r\nKeep=me\r\n");
    QTest::newRow("binary bytes") << binary << "Anna"
                                  << "" << QByteArray("Keep=me\r\n");

    QByteArray huge("[Other]\r\nBig=");
    huge.append(QByteArray(10 * 1024 * 1024, 'x'));
    huge.append("\r\n[Users]\r\nUser=Anna\r\n");
    QTest::newRow("ten-megabyte line") << huge << "Anna"
                                       << "" << QByteArray(huge.left(4096));

    QTest::newRow("date of another regional format")
        << QByteArray("[Users]\r\nUser=Anna\r\n[Filter]\r\nFrom=17.05.2002 10:00:00\r\nOn=1\r\n")
        << "Anna"
        << "'17.05.2002 10:00:00' is not a valid date and time."
        << QByteArray("On=1\r\n"); // read after the failing key: never overwritten unread

    QTest::newRow("key repeated") << QByteArray("[Users]\r\nUser=Anna\r\nUser=Ben\r\n") << "Anna"
                                  << "" << QByteArray("User=Ben\r\n");

    QTest::newRow("section repeated")
        << QByteArray("[Users]\r\nUser=Anna\r\n[Other]\r\nX=1\r\n[users]\r\nUser=Ben\r\n") << "Anna"
        << "" << QByteArray("[users]\r\nUser=Ben\r\n");
}

void HostileInputTest::damagedSettingsFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expectedUser);
    QFETCH(QString, expectedError);
    QFETCH(QByteArray, keptLine);

    AppRun run;
    run.addUser("Anna");
    run.addUser("Ben");
    run.writeIniBytes(content.toStdString());
    QVERIFY(run.start());
    QCOMPARE(fMain->cbUser->currentText(), expectedUser);
    // Start-up loads twice (when shown and at the first activation); each failed load says so.
    for (const QString& e : errors())
        QCOMPARE(e, expectedError);
    QCOMPARE(errors().isEmpty(), expectedError.isEmpty());

    // The saves of a run: the filter toggle's block, the Money section, the user at the end.
    fMain->tbMoney->trigger();
    auto* money = fMain->findChild<TfMoney*>();
    QVERIFY(money);
    money->tbMonth->trigger();
    Guarded([] { fSetup->SaveSettings(); });
    fMain->close();
    QApplication::processEvents();

    const std::string after = run.iniBytes();
    QVERIFY2(contains(after, keptLine.toStdString()), "a line of the damaged file was lost");
    QVERIFY(contains(after, "Mode=1\r\n"));
    QCOMPARE(QString::fromStdString(run.ini("Users", "User")), expectedUser);
}

void HostileInputTest::settingsFileThatIsADirectory() {
    AppRun run;
    run.addUser("Anna");
    std::filesystem::create_directories(run.iniPath());
    QVERIFY(run.start());
    QCOMPARE(fMain->cbUser->currentIndex(), -1); // defaults: nobody remembered
    Dialogs::clearRecord();
    Guarded([] { fSetup->SaveSettings(); });
    QCOMPARE(errors(), QStringList{QString::fromStdString("Unable to write to " + run.iniPath() +
                                                          ".\nIs a directory.")});
    QVERIFY(std::filesystem::is_directory(run.iniPath()));
}

void HostileInputTest::readOnlySettingsFile() {
    AppRun run;
    run.addUser("Anna", 30);
    run.setIni("Users", "User", "Anna");
    ::chmod(run.iniPath().c_str(), 0444);
    const std::string before = run.iniBytes();
    QVERIFY(run.start());
    QCOMPARE(fMain->cbUser->currentText(), QStringLiteral("Anna")); // reading still works
    Dialogs::clearRecord();
    Guarded([] { fSetup->SaveSettings(); });
    const QStringList once{
        QString::fromStdString("Unable to write to " + run.iniPath() + ".\nPermission denied.")};
    QCOMPARE(errors(), once);
    QCOMPARE(run.iniBytes(), before);

    // Every later refusal of the run passes silently, and the view follows each choice.
    fMain->tbMoney->trigger();
    auto* money = qobject_cast<TfMoney*>(fMain->ActiveFrame);
    QVERIFY(money);
    const int rows = money->grid->rows()->rowCount();
    money->tbYear->trigger();
    QCOMPARE(fMain->windowTitle(), QStringLiteral("Ledra - By Year"));
    QVERIFY2(money->grid->rows()->rowCount() < rows,
             qPrintable(QString::number(money->grid->rows()->rowCount()))); // one year
    money->tbOut->trigger();
    QVERIFY(money->tbOut->isChecked());
    QCOMPARE(errors(), once);
    QCOMPARE(run.iniBytes(), before);
}

QTEST_MAIN(HostileInputTest)
#include "HostileInputTest.moc"
