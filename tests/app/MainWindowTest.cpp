// The main window over a data root of the test's own: users, databases, views, menus and the
// user remembered at the end.

#include "AppFixture.h"
#include "app/About.h"
#include "export/Export.h"
#include "lists/Currency.h"
#include "lists/Payment.h"
#include "lists/Transaction.h"
#include "money/Money.h"
#include "settings/Password.h"
#include "settings/Setup.h"
#include "widgets/ListGrid.h"
#include "widgets/ViewFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QtTest/qtestspontaneevent.h>

using namespace fixture;

namespace {

QList<QAction*> viewActions() {
    return {fMain->tbMoney, fMain->tbTypes, fMain->tbPayment, fMain->tbCurrency,
            fMain->mMoney,  fMain->mTypes,  fMain->mPayment,  fMain->mCurrency};
}

QList<bool> enabledStates() {
    QList<bool> states;
    for (QAction* a : viewActions())
        states << a->isEnabled();
    return states;
}

QList<bool> pressed() {
    return {fMain->tbMoney->isChecked(), fMain->tbTypes->isChecked(), fMain->tbPayment->isChecked(),
            fMain->tbCurrency->isChecked()};
}

const QList<bool> kAllOn(8, true);
const QList<bool> kAllOff(8, false);

// The user's pick in the selector, as the keyboard makes it.
void pickUser(int index) {
    while (fMain->cbUser->currentIndex() < index)
        QTest::keyClick(fMain->cbUser, Qt::Key_Down);
    while (fMain->cbUser->currentIndex() > index)
        QTest::keyClick(fMain->cbUser, Qt::Key_Up);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void builtWindow();
    void emptyDirectoryGivesOneMessageAndNoViews();
    void rememberedUserIsSelectedWithoutChange();
    void rememberedUserNotListed();
    void oneMissingFileGivesOneMessage_data();
    void oneMissingFileGivesOneMessage();
    void viewButtonsShowTheirFrames_data();
    void viewButtonsShowTheirFrames();
    void pressingThePressedButtonBuildsAfresh();
    void menuChoiceKeepsTheButtonPressed();
    void changeOfUser();
    void changeToUserWithMissingFile();
    void damagedFilesAreNamedAfterTheOpenMessages();
    void chosenFolderIsListedAndOpenedAsAPick_data();
    void chosenFolderIsListedAndOpenedAsAPick();
    void cancelledFolderChoiceChangesNothing();
    void chosenFolderIsRememberedAcrossARestart();
    void exportWithoutViewTellsSo();
    void closingDialogsDoesNotReopenOrAskAgain();
    void lastOfEqualEntriesIsSelected_data();
    void lastOfEqualEntriesIsSelected();
    void userIsSavedAtTheEnd_data();
    void userIsSavedAtTheEnd();
    void minimisingDoesNotSave();
};

void MainWindowTest::builtWindow() {
    AppRun run;
    run.create();
    QCOMPARE(fMain->windowTitle(), QStringLiteral("Ledra - Desktop Viewer 1.0"));
    QCOMPARE(fMain->size(), QSize(700, 500));
    QCOMPARE(fMain->tbFile->text(), QStringLiteral("&File"));
    QCOMPARE(fMain->tbFile->popupMode(), QToolButton::InstantPopup);
    QCOMPARE(fMain->FileMenu->actions().size(), 8);
    QVERIFY(fMain->FileMenu->actions().at(4)->isSeparator());
    QCOMPARE(fMain->FileMenu->actions().at(5), fMain->mFolder);
    QCOMPARE(fMain->mFolder->text(), QStringLiteral("Open Backup &Folder..."));
    QVERIFY(fMain->FileMenu->actions().at(6)->isSeparator());
    QCOMPARE(fMain->ToolsMenu->actions().size(), 5);
    QCOMPARE(fMain->ToolsMenu->actions().at(1), fMain->mFinance);
    QVERIFY(fMain->ToolsMenu->actions().at(3)->isSeparator());
    QCOMPARE(fMain->mExport->text(), QStringLiteral("&Export to Excel (*.CSV)"));
    QCOMPARE(fMain->mFinance->text(), QStringLiteral("Export for &Finance Programs..."));
    QCOMPARE(fMain->mChart->text(), QStringLiteral("&Chart..."));
    QCOMPARE(fMain->mOptions->text(), QStringLiteral("&Options..."));
    QCOMPARE(fMain->About1->text(), QStringLiteral("&About..."));
    QCOMPARE(fMain->Exit1->text(), QStringLiteral("E&xit"));
    // The File menu is a pop-up of a tool button: the key works with the menu closed.
    QCOMPARE(fMain->Exit1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QVERIFY(fMain->actions().contains(fMain->Exit1));
    QCOMPARE(fMain->tbCurrency->text(), QStringLiteral("Currency"));
    QCOMPARE(fMain->cbUser->width(), 145);
    QVERIFY(!fMain->cbUser->isEditable());
    const auto* panel1 = fMain->StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    QVERIFY(panel1);
    QCOMPARE(panel1->text(), QStringLiteral(" Ledra - Desktop Viewer ver. 1.0"));
    QCOMPARE(panel1->width(), 300);
    // As built, before the first activation: everything enabled, nothing pressed.
    QCOMPARE(enabledStates(), kAllOn);
    QVERIFY(fMain->mExport->isEnabled());
    QCOMPARE(pressed(), QList<bool>(4, false));
    QCOMPARE(fMain->ViewGroup->exclusionPolicy(), QActionGroup::ExclusionPolicy::Exclusive);
}

void MainWindowTest::emptyDirectoryGivesOneMessageAndNoViews() {
    AppRun run;
    QVERIFY(run.start());
    QCOMPARE(fMain->cbUser->count(), 0);
    QCOMPARE(messages(), QStringList{noUserIn(run.root())});
    QCOMPARE(enabledStates(), kAllOff);
    QVERIFY(!fMain->mExport->isEnabled());
    QVERIFY(errors().isEmpty());
    QVERIFY(!MoneyDb->isOpen());
}

void MainWindowTest::rememberedUserIsSelectedWithoutChange() {
    AppRun run;
    run.addUser("alice", 2);
    run.addUser("bob", 3);
    run.setIni("Users", "User", "bob");
    run.create();
    QSignalSpy picks(fMain->cbUser, &QComboBox::activated);
    QVERIFY(run.show());
    QCOMPARE(fMain->cbUser->currentText(), QStringLiteral("bob"));
    QCOMPARE(picks.count(), 0);
    QVERIFY(messages().isEmpty());
    QCOMPARE(enabledStates(), kAllOn);
    QVERIFY(!fMain->mExport->isEnabled());
    QCOMPARE(MoneyDb->GetNumRecords(), 3);
    for (cPDB* db : {MoneyDb, PaymentDb, TypesDb, CurrencyDb})
        QVERIFY(db->isOpen());
    QCOMPARE(QByteArray(fMain->RootDir), QByteArray::fromStdString(run.root()));
}

void MainWindowTest::rememberedUserNotListed() {
    AppRun run;
    run.addUser("alice");
    run.setIni("Users", "User", "Alice"); // letter case counts
    QVERIFY(run.start());
    QCOMPARE(fMain->cbUser->currentIndex(), -1);
    QCOMPARE(messages(), QStringList{noUserIn(run.root())});
    QCOMPARE(enabledStates(), kAllOff);
}

void MainWindowTest::oneMissingFileGivesOneMessage_data() {
    QTest::addColumn<QString>("missing");
    for (const char* f : {"Money", "Payment", "Currency", "Types"})
        QTest::newRow(f) << QString::fromLatin1(f);
}

void MainWindowTest::oneMissingFileGivesOneMessage() {
    QFETCH(QString, missing);
    AppRun run;
    run.addUser("alice", 2, missing.toStdString());
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    QCOMPARE(messages(), QStringList{missingIn(run.root() + "alice/BACKUP/",
                                               "Ledra_" + missing + ".PDB: missing\n")});
    QCOMPARE(enabledStates(), kAllOff);
    QVERIFY(!fMain->mExport->isEnabled());
    // All four were tried: those that exist are open.
    QCOMPARE(MoneyDb->isOpen(), missing != QLatin1String("Money"));
    QCOMPARE(TypesDb->isOpen(), missing != QLatin1String("Types"));
}

void MainWindowTest::viewButtonsShowTheirFrames_data() {
    QTest::addColumn<int>("view");
    QTest::addColumn<QString>("frameClass");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Money") << 0 << "TfMoney"
                           << "Ledra - Chronological";
    QTest::newRow("Types") << 1 << "TfTrans"
                           << "Ledra - Transaction Types";
    QTest::newRow("Payment") << 2 << "TfPayment"
                             << "Ledra - Payment Types";
    QTest::newRow("Currency") << 3 << "TfCurrency"
                              << "Ledra - Currency";
}

void MainWindowTest::viewButtonsShowTheirFrames() {
    QFETCH(int, view);
    QFETCH(QString, frameClass);
    QFETCH(QString, caption);
    AppRun run;
    run.addUser("alice");
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    QAction* button = viewActions().at(view);
    button->trigger();
    QVERIFY(fMain->ActiveFrame);
    QCOMPARE(QString::fromLatin1(fMain->ActiveFrame->metaObject()->className()), frameClass);
    QCOMPARE(fMain->ActiveFrame->parentWidget(), fMain->pMain);
    QCOMPARE(fMain->windowTitle(), caption);
    QCOMPARE(fMain->ActiveView, view);
    QVERIFY(fMain->mExport->isEnabled());
    QList<bool> expected(4, false);
    expected[view] = true;
    QCOMPARE(pressed(), expected);
    QVERIFY(errors().isEmpty());
}

void MainWindowTest::pressingThePressedButtonBuildsAfresh() {
    AppRun run;
    run.addUser("alice");
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    fMain->tbTypes->trigger();
    QPointer<ViewFrame> first = fMain->ActiveFrame;
    QVERIFY(first);
    fMain->tbTypes->trigger();
    QVERIFY(first.isNull()); // the old frame is gone
    QVERIFY(qobject_cast<TfTrans*>(fMain->ActiveFrame));
    QVERIFY(fMain->tbTypes->isChecked());
    QCOMPARE(fMain->pMain->findChildren<ViewFrame*>().size(), 1);
}

void MainWindowTest::menuChoiceKeepsTheButtonPressed() {
    AppRun run;
    run.addUser("alice");
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    fMain->tbTypes->trigger();
    fMain->mMoney->trigger();
    QVERIFY(qobject_cast<TfMoney*>(fMain->ActiveFrame));
    QCOMPARE(fMain->ActiveView, 0);
    QCOMPARE(pressed(), (QList<bool>{false, true, false, false}));
    QCOMPARE(fMain->pMain->findChildren<ViewFrame*>().size(), 1);
}

void MainWindowTest::changeOfUser() {
    AppRun run;
    run.addUser("alice", 2);
    run.addUser("bob", 3);
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    fMain->tbTypes->trigger();
    QPointer<ViewFrame> frame = fMain->ActiveFrame;
    pickUser(1);
    QCOMPARE(fMain->cbUser->currentText(), QStringLiteral("bob"));
    QVERIFY(frame.isNull());
    QVERIFY(!fMain->ActiveFrame);
    QVERIFY(!fMain->ActiveGrid);
    QCOMPARE(pressed(), QList<bool>(4, false));
    QVERIFY(!fMain->mExport->isEnabled());
    QCOMPARE(enabledStates(), kAllOn);
    QCOMPARE(fMain->windowTitle(), QStringLiteral("Ledra - Transaction Types"));
    QCOMPARE(fMain->ActiveView, 1);
    QCOMPARE(MoneyDb->GetNumRecords(), 3); // bob's files now
    QVERIFY(messages().isEmpty());
    // The group is exclusive again: one press shows one button.
    fMain->tbCurrency->trigger();
    fMain->tbPayment->trigger();
    QCOMPARE(pressed(), (QList<bool>{false, false, true, false}));
}

void MainWindowTest::changeToUserWithMissingFile() {
    AppRun run;
    run.addUser("alice", 2);
    run.addUser("bob", 3, "Currency");
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    fMain->tbMoney->trigger();
    pickUser(1);
    QCOMPARE(messages(),
             QStringList{missingIn(run.root() + "bob/BACKUP/", "Ledra_Currency.PDB: missing\n")});
    QCOMPARE(enabledStates(), kAllOff);
    QVERIFY(!fMain->ActiveFrame);
    // Back to a complete user: the four files are tried again.
    pickUser(0);
    QCOMPARE(messages().size(), 1);
    QCOMPARE(enabledStates(), kAllOn);
    QCOMPARE(MoneyDb->GetNumRecords(), 2);
}

// The views open on a damaged file and show what can be read; one message names the faults,
// after the open messages.
void MainWindowTest::damagedFilesAreNamedAfterTheOpenMessages() {
    AppRun run;
    run.addUser("alice", 10);
    run.addUser("bob", 3, "Payment");
    for (const char* user : {"alice", "bob"}) {
        const std::string path = run.root() + user + "/BACKUP/Ledra_Money.PDB";
        const std::string bytes = ReadFileBytes(path);
        Bytes money(bytes.begin(), bytes.end());
        money[76] = money[77] = 0xFF; // the record list claims 65,535 records
        WriteFileBytes(path, money);
    }
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    const QString path = QString::fromStdString(run.root() + "alice/BACKUP/Ledra_Money.PDB");
    QCOMPARE(messages(),
             QStringList{QStringLiteral("Damaged database files: Ledra shows what can be read of "
                                        "them.\n\n%1:\n- the record list of 65535 entries runs "
                                        "past the end of the file or into the records' data; only "
                                        "the first 10 records (those before the data that follows "
                                        "the list, and inside the file) are read.\n")
                             .arg(path)});
    QCOMPARE(enabledStates(), kAllOn);
    QCOMPARE(MoneyDb->GetNumRecords(), 10);
    fMain->tbMoney->trigger();
    auto* money = qobject_cast<TfMoney*>(fMain->ActiveFrame);
    QVERIFY(money);
    QCOMPARE(money->grid->rows()->rowCount(), 10);

    Dialogs::clearRecord();
    pickUser(1); // bob: a file missing and one damaged
    const QStringList shownNow = messages();
    QCOMPARE(shownNow.size(), 2);
    QCOMPARE(shownNow.at(0).left(kMissingFile.size()), kMissingFile);
    QVERIFY(shownNow.at(1).startsWith(QStringLiteral("Damaged database files")));
    QVERIFY(shownNow.at(1).contains(QStringLiteral("bob/BACKUP/Ledra_Money.PDB")));
    QCOMPARE(enabledStates(), kAllOff);
}

void MainWindowTest::chosenFolderIsListedAndOpenedAsAPick_data() {
    QTest::addColumn<QString>("folder"); // below the test's directory
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QStringList>("users");
    QTest::addColumn<int>("selected");
    const QStringList both{"alice", "bob"};
    QTest::newRow("root, remembered user") << "other"
                                           << "bob" << both << 1;
    QTest::newRow("root, user not there") << "other"
                                          << "carol" << both << -1;
    QTest::newRow("one user's folder") << "other/alice"
                                       << "" << QStringList{"alice"} << 0;
    QTest::newRow("BACKUP folder") << "other/bob/BACKUP"
                                   << "" << QStringList{"bob"} << 0;
    QTest::newRow("flat folder") << "flat/Palm sync"
                                 << "" << QStringList{"Palm sync"} << 0;
    QTest::newRow("empty folder") << "empty"
                                  << "alice" << QStringList{} << -1;
}

// A folder chosen from the File menu is listed and handled as a pick in cbUser: the view goes,
// the databases are closed, and the only user, or the remembered one, is opened.
void MainWindowTest::chosenFolderIsListedAndOpenedAsAPick() {
    QFETCH(QString, folder);
    QFETCH(QString, remembered);
    QFETCH(QStringList, users);
    QFETCH(int, selected);
    AppRun run;
    run.addUser("zed", 5);
    run.setIni("Users", "User", remembered.toStdString());
    const std::string other = run.dir.file("other/");
    for (const auto& [name, count] : {std::pair{"alice", 2}, std::pair{"bob", 3}}) {
        const std::string backup = other + name + "/BACKUP";
        std::filesystem::create_directories(backup);
        for (const char* f : {"Money", "Payment", "Currency", "Types"})
            std::filesystem::copy_file(run.root() + "zed/BACKUP/Ledra_" + f + ".PDB",
                                       backup + "/Ledra_" + f + ".PDB");
    }
    std::filesystem::create_directories(run.dir.file("flat/Palm sync"));
    for (const char* f : {"Money", "Payment", "Currency", "Types"})
        std::filesystem::copy_file(run.root() + "zed/BACKUP/Ledra_" + f + ".PDB",
                                   run.dir.file("flat/Palm sync/ledra_") + f + ".pdb");
    std::filesystem::create_directories(run.dir.file("empty"));
    QVERIFY(run.start());
    QVERIFY(messages().size() == 1); // zed is not remembered
    fMain->cbUser->setCurrentIndex(0);
    fMain->cbUserChange();
    fMain->tbMoney->trigger();
    QVERIFY(fMain->ActiveFrame);
    Dialogs::clearRecord();

    const std::string chosen = run.dir.file(folder.toStdString());
    Dialogs::setNextFolderName(QString::fromStdString(chosen));
    fMain->mFolder->trigger();
    QCOMPARE(shown(Dialogs::Shown::Folder), QStringList{QString::fromStdString(chosen)});
    QStringList listed;
    for (int i = 0; i < fMain->cbUser->count(); ++i)
        listed << fMain->cbUser->itemText(i);
    QCOMPARE(listed, users);
    QCOMPARE(fMain->cbUser->currentIndex(), selected);
    QVERIFY(!fMain->ActiveFrame);
    QCOMPARE(pressed(), QList<bool>(4, false));
    QVERIFY(errors().isEmpty());
    if (selected >= 0) {
        QVERIFY(messages().isEmpty());
        QCOMPARE(enabledStates(), kAllOn);
        QCOMPARE(MoneyDb->GetNumRecords(), 5);
    } else {
        QCOMPARE(messages(), QStringList{noUserIn(chosen + "/")});
        QCOMPARE(enabledStates(), kAllOff);
        QVERIFY(!MoneyDb->isOpen());
    }
}

void MainWindowTest::cancelledFolderChoiceChangesNothing() {
    AppRun run;
    run.addUser("alice");
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    fMain->tbTypes->trigger();
    fMain->mFolder->trigger(); // no answer queued: the chooser is cancelled
    QCOMPARE(shown(Dialogs::Shown::Folder), QStringList{QString()});
    QVERIFY(fMain->ActiveFrame);
    QCOMPARE(fMain->cbUser->currentText(), QStringLiteral("alice"));
    QVERIFY(MoneyDb->isOpen());
    QVERIFY(!QFile::exists(QString::fromStdString(run.dir.file("config/ledra/backup-folder"))));
}

// The chosen folder is the directory's root in the next runs too.
void MainWindowTest::chosenFolderIsRememberedAcrossARestart() {
    AppRun run;
    run.addUser("alice");
    QVERIFY(run.start());
    Dialogs::setNextFolderName(QString::fromStdString(run.root() + "alice"));
    fMain->mFolder->trigger();
    QCOMPARE(fMain->cbUser->currentText(), QStringLiteral("alice"));
    QCOMPARE(ReadFileBytes(run.dir.file("config/ledra/backup-folder")), run.root() + "alice\n");
    fMain->close(); // saves the user

    userdir::SetRootOverride(""); // the next run has no test root: the remembered one counts
    run.restart();
    QVERIFY(run.start());
    QVERIFY(messages().isEmpty());
    QCOMPARE(fMain->cbUser->count(), 1);
    QCOMPARE(fMain->cbUser->currentText(), QStringLiteral("alice"));
    QCOMPARE(enabledStates(), kAllOn);
    QCOMPARE(QByteArray(fMain->RootDir), QByteArray::fromStdString(run.root()));
}

void MainWindowTest::exportWithoutViewTellsSo() {
    AppRun run;
    run.addUser("alice");
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    ModalAnswer exportDialog(fExport, [](QDialog* d) { d->reject(); });
    fMain->mExportClick();
    QCOMPARE(messages(), QStringList{QStringLiteral("\nOpen one of *pdb table's to export\n")});
    QCOMPARE(exportDialog.count(), 0);
    fMain->tbCurrency->trigger();
    fMain->mExport->trigger();
    QCOMPARE(exportDialog.count(), 1);
    QCOMPARE(messages().size(), 1);
}

void MainWindowTest::closingDialogsDoesNotReopenOrAskAgain() {
    AppRun run;
    run.addUser("alice", 2);
    run.setIni("Users", "User", "alice");
    run.setIni("Password", "Request", "1"); // the empty password
    run.create();
    ModalAnswer prompt(fPassword, [](QDialog* d) { static_cast<TfPassword*>(d)->bOK->click(); });
    QVERIFY(run.show());
    QCOMPARE(prompt.count(), 1);
    // A reopening would read the new file and count 5 records.
    run.addUser("alice", 5);
    fMain->tbMoney->trigger();
    ModalAnswer about(fAbout, [](QDialog* d) { static_cast<TfAbout*>(d)->bOK->click(); });
    fMain->About1->trigger();
    ModalAnswer options(fSetup, [](QDialog* d) { static_cast<TfSetup*>(d)->bCancel->click(); });
    fMain->mOptions->trigger();
    ModalAnswer exportDialog(fExport, [](QDialog* d) { d->reject(); });
    fMain->mExport->trigger();
    QCOMPARE(about.count(), 1);
    QCOMPARE(options.count(), 1);
    QCOMPARE(exportDialog.count(), 1);
    // The window system's activations after a dialog do not count either.
    prompt.rearm();
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(fMain, &activation);
    QTest::qWait(50);
    QCOMPARE(prompt.count(), 1);
    QCOMPARE(MoneyDb->GetNumRecords(), 2);
    QVERIFY(messages().isEmpty());
    QVERIFY(fMain->isVisible());
}

void MainWindowTest::lastOfEqualEntriesIsSelected_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<int>("selected");
    QTest::newRow("two equal") << QStringList{"ann", "bob", "ann"} << "ann" << 2;
    QTest::newRow("one") << QStringList{"ann", "bob"} << "bob" << 1;
    QTest::newRow("case differs") << QStringList{"Ann"} << "ann" << -1;
    QTest::newRow("blank at end") << QStringList{"ann "} << "ann" << -1;
    QTest::newRow("nothing saved") << QStringList{"ann", ""} << "" << 1;
    QTest::newRow("no users") << QStringList{} << "ann" << -1;
}

void MainWindowTest::lastOfEqualEntriesIsSelected() {
    QFETCH(QStringList, entries);
    QFETCH(QString, saved);
    QFETCH(int, selected);
    std::vector<std::string> list;
    for (const QString& e : entries)
        list.push_back(e.toStdString());
    QCOMPARE(LastExactMatch(list, saved.toStdString()), selected);
}

void MainWindowTest::userIsSavedAtTheEnd_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray alice("[Users]\r\nUser=alice\r\n");
    QTest::newRow("Exit") << "exit" << true << alice;
    QTest::newRow("close box") << "close" << true << alice;
    QTest::newRow("nobody selected") << "close" << false << QByteArray("[Users]\r\nUser=\r\n");
}

void MainWindowTest::userIsSavedAtTheEnd() {
    QFETCH(QString, how);
    QFETCH(bool, select);
    QFETCH(QByteArray, expected);
    AppRun run;
    run.addUser("alice");
    if (select)
        run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    if (select) // the settings file holds only what the run itself wrote
        std::filesystem::remove(run.iniPath());
    if (how == QLatin1String("exit"))
        fMain->Exit1->trigger();
    else
        fMain->close();
    QVERIFY(!fMain->isVisible());
    QCOMPARE(QByteArray::fromStdString(run.iniBytes()), expected);
    // Once at the end only.
    std::filesystem::remove(run.iniPath());
    fMain->show();
    fMain->close();
    QVERIFY(!std::filesystem::exists(run.iniPath()));
}

void MainWindowTest::minimisingDoesNotSave() {
    AppRun run;
    run.addUser("alice");
    QVERIFY(run.start());
    QHideEvent spontaneousHide;
    QSpontaneKeyEvent::setSpontaneous(&spontaneousHide);
    // Straight to the window: sendEvent() would make the event the program's own.
    static_cast<QObject*>(fMain)->event(&spontaneousHide);
    QVERIFY(!std::filesystem::exists(run.iniPath()));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
