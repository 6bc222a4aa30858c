// The start-up password, the Options dialog and the "Password", "Filter" and "Export" block of
// Ledra.ini, through whole runs of the viewer.

#include "AppFixture.h"
#include "export/Export.h"
#include "filter/Filter.h"
#include "platform/QtText.h"
#include "settings/Password.h"
#include "settings/Scramble.h"
#include "settings/Setup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cctype>
#include <iterator>

using namespace fixture;

namespace {

const QString kWrong = QStringLiteral("Wrong password!");
const QString kNotIdentical = QStringLiteral("Passwords are not identical!");
const QString kCannotStore =
    QStringLiteral("This password cannot be stored. Please choose another one.");

QByteArray bytes(const std::string& s) {
    return QByteArray::fromStdString(s);
}

// Opens the Options dialog from its menu item and runs `answer` while it is shown.
int withOptions(const std::function<void(TfSetup*)>& answer) {
    ModalAnswer options(fSetup, [&](QDialog* d) { answer(static_cast<TfSetup*>(d)); });
    fMain->mOptions->trigger();
    return options.count();
}

void setBoth(TfSetup* d, const QString& text) {
    d->ePass1->setText(text);
    d->ePass2->setText(text);
}

// Stores `password` (with the request ticked) through the Options dialog.
void storeThroughOptions(const QString& password) {
    withOptions([&](TfSetup* d) {
        d->cbRequest->setChecked(true);
        setBoth(d, password);
        d->bOK->click();
    });
}

struct PromptResult {
    int shown = 0;
    QList<int> openAfter; // after each entry: 1 when the prompt stayed open
    QList<bool> focusBack;
    QList<QString> textKept;
};

// Answers the start-up prompt with `entries` in turn (then, when still open, with `end`).
PromptResult answerPrompt(const AppRun& run, const QStringList& entries,
                          const std::function<void(TfPassword*)>& end = {}) {
    PromptResult r;
    ModalAnswer prompt(fPassword, [&](QDialog* d) {
        auto* p = static_cast<TfPassword*>(d);
        for (const QString& entry : entries) {
            p->ePass->setText(entry);
            p->bOK->setFocus();
            p->bOK->click();
            r.openAfter << (p->isVisible() ? 1 : 0);
            r.focusBack << (p->focusWidget() == p->ePass);
            r.textKept << p->ePass->text();
            if (!p->isVisible())
                return;
        }
        if (end)
            end(p);
    });
    run.show();
    r.shown = prompt.count();
    return r;
}

std::string storedLine(const AppRun& run) {
    return run.ini("Password", "Password");
}

} // namespace

class PasswordSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsWithoutFile();
    void firstOptionsOkWritesTheBlock();
    void promptAtNextStart_data();
    void promptAtNextStart();
    void typingStopsAtTwentyCharacters();
    void differentTextsKeepTheDialogOpen();
    void untickingKeepsThePassword();
    void okWithoutChangesStoresTheSameText();
    void endingWithoutOkKeepsTheStored_data();
    void endingWithoutOkKeepsTheStored();
    void cancelAtThePromptEndsTheProgram_data();
    void cancelAtThePromptEndsTheProgram();
    void unstorablePasswordsAreRefused_data();
    void unstorablePasswordsAreRefused();
    void charactersWithoutAByteAreRefused();
    void longStoredTexts_data();
    void longStoredTexts();
    void unreadableDateKeepsPasswordAndUnreadKeys();
    void refusedWriteNeverScramblesTwice();
};

void PasswordSettingsTest::defaultsWithoutFile() {
    AppRun run;
    run.addUser("alice");
    run.create();
    const PromptResult prompt = answerPrompt(run, {});
    QCOMPARE(prompt.shown, 0);
    QVERIFY(!fSetup->cbRequest->isChecked());
    QVERIFY(fSetup->ePass1->isEnabled());
    QVERIFY(fSetup->ePass2->isEnabled());
    QCOMPARE(fSetup->ePass1->text(), QString());
    QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("..."));
    QCOMPARE(fFilter->cbPay->currentText(), QStringLiteral("..."));
    QCOMPARE(fFilter->cbCurr->currentText(), QStringLiteral("..."));
    const QDate today = QDate::currentDate();
    const CalendarDay day{today.year(), today.month(), today.day()};
    QVERIFY(fFilter->dFrom->date() == day);
    QVERIFY(fFilter->dTo->date() == day);
    QVERIFY(!fFilter->dFrom->isChecked());
    QVERIFY(!fFilter->dTo->isChecked());
    QVERIFY(!fFilter->cbFilter->isChecked());
    QCOMPARE(fExport->eFile->text(), QString::fromStdString(ExecutableDir() + "out.CSV"));
    QVERIFY(fExport->cbHeader->isChecked());
    QVERIFY(!std::filesystem::exists(run.iniPath())); // loads write nothing
    QVERIFY(errors().isEmpty());
}

void PasswordSettingsTest::firstOptionsOkWritesTheBlock() {
    AppRun run;
    run.addUser("alice");
    QVERIFY(run.start());
    const int shown = withOptions([](TfSetup* d) {
        d->cbRequest->setChecked(true);
        setBoth(d, QStringLiteral("secret"));
        d->bOK->click();
    });
    QCOMPARE(shown, 1);
    QVERIFY(!fSetup->isVisible());
    const std::string scrambled = Scrambled("secret");
    const std::string today = TodayPickerText();
    const std::string block = "[Password]\r\nRequest=1\r\nPassword=" + scrambled +
                              "\r\n[Filter]\r\nTrans=\"...\"\r\nPay=\"...\"\r\nCurr=\"...\"\r\n"
                              "FromOn=0\r\nFrom=" +
                              today + "\r\nToOn=0\r\nTo=" + today +
                              "\r\nOn=0\r\n[Export]\r\nPath=" + ExecutableDir() +
                              "out.CSV\r\nHeader=1\r\n";
    QCOMPARE(bytes(run.iniBytes()), bytes(block));
    QCOMPARE(bytes(fSetup->storedPassword()), bytes(scrambled));
    // The end of the run adds the user (nobody is selected here).
    fMain->close();
    QCOMPARE(bytes(run.iniBytes()), bytes(block + "[Users]\r\nUser=\r\n"));
}

void PasswordSettingsTest::promptAtNextStart_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("wrong");
    QTest::newRow("empty password") << "" << QStringList{""} << 0;
    QTest::newRow("twenty characters")
        << "abcdefghij0123456789" << QStringList{"abcdefghij012345678", "abcdefghij0123456789"}
        << 1;
    QTest::newRow("letter case counts")
        << "Secret" << QStringList{"secret", "SECRET", "Secret"} << 2;
    QTest::newRow("three wrong, then right") << "pw" << QStringList{"", "pw ", "p", "pw"} << 3;
    QTest::newRow("non-ASCII single-byte")
        << QString::fromUtf8("Grüße€")
        << QStringList{QString::fromUtf8("Grüsse€"), QString::fromUtf8("Grüße€")} << 1;
}

void PasswordSettingsTest::promptAtNextStart() {
    QFETCH(QString, password);
    QFETCH(QStringList, entries);
    QFETCH(int, wrong);
    AppRun run;
    run.addUser("alice");
    run.setIni("Users", "User", "alice");
    QVERIFY(run.start());
    storeThroughOptions(password);
    QCOMPARE(bytes(storedLine(run)), bytes(Scrambled(toAnsi(password))));
    run.restart();

    run.create();
    const PromptResult r = answerPrompt(run, entries);
    QCOMPARE(r.shown, 1);
    QList<int> open(wrong, 1);
    open << 0;
    QCOMPARE(r.openAfter, open);
    for (int i = 0; i < wrong; ++i) {
        QVERIFY(r.focusBack.at(i));
        QCOMPARE(r.textKept.at(i), entries.at(i));
    }
    QCOMPARE(shown(Dialogs::Shown::Beep).size(), wrong);
    QCOMPARE(messages(), QStringList(wrong, kWrong));
    QVERIFY(fMain->isVisible());
    QVERIFY(fMain->tbMoney->isEnabled());
}

void PasswordSettingsTest::typingStopsAtTwentyCharacters() {
    AppRun run;
    run.addUser("alice");
    QVERIFY(run.start());
    withOptions([](TfSetup* d) {
        d->ePass1->clear();
        QTest::keyClicks(d->ePass1, QStringLiteral("abcdefghij0123456789X"));
        QCOMPARE(d->ePass1->text(), QStringLiteral("abcdefghij0123456789"));
        QCOMPARE(d->ePass1->echoMode(), QLineEdit::Password);
        d->bCancel->click();
    });
}

void PasswordSettingsTest::differentTextsKeepTheDialogOpen() {
    AppRun run;
    run.addUser("alice");
    QVERIFY(run.start());
    bool open = false;
    QString one, two;
    bool ticked = false;
    withOptions([&](TfSetup* d) {
        d->cbRequest->setChecked(true);
        d->ePass1->setText(QStringLiteral("abc"));
        d->ePass2->setText(QStringLiteral("abd"));
        Dialogs::clearRecord();
        d->bOK->click();
        open = d->isVisible();
        one = d->ePass1->text();
        two = d->ePass2->text();
        ticked = d->cbRequest->isChecked();
        d->bCancel->click();
    });
    QVERIFY(open);
    QCOMPARE(one, QStringLiteral("abc"));
    QCOMPARE(two, QStringLiteral("abd"));
    QVERIFY(ticked);
    QCOMPARE(messages(), QStringList{kNotIdentical});
    QVERIFY(!std::filesystem::exists(run.iniPath()));
    QVERIFY(!fSetup->cbRequest->isChecked()); // the Cancel loaded the stored state back
}

void PasswordSettingsTest::untickingKeepsThePassword() {
    AppRun run;
    run.addUser("alice");
    run.setIni("Password", "Request", "1");
    run.setIni("Password", "Password", Scrambled("pw1"));
    run.create();
    QCOMPARE(answerPrompt(run, {"pw1"}).shown, 1);
    QString shownText1, shownText2;
    bool disabledAfterUntick = false;
    withOptions([&](TfSetup* d) {
        shownText1 = d->ePass1->text();
        shownText2 = d->ePass2->text();
        d->cbRequest->setChecked(false);
        disabledAfterUntick = !d->ePass1->isEnabled() && !d->ePass2->isEnabled();
        d->bOK->click();
    });
    QCOMPARE(shownText1, QStringLiteral("pw1"));
    QCOMPARE(shownText2, QStringLiteral("pw1"));
    QVERIFY(disabledAfterUntick);
    QCOMPARE(run.ini("Password", "Request"), std::string("0"));
    QCOMPARE(bytes(storedLine(run)), bytes(Scrambled("pw1")));
    run.restart();

    run.create();
    QCOMPARE(answerPrompt(run, {}).shown, 0);
    withOptions([&](TfSetup* d) {
        shownText1 = d->ePass1->text();
        d->bCancel->click();
    });
    QCOMPARE(shownText1, QStringLiteral("pw1"));
}

void PasswordSettingsTest::okWithoutChangesStoresTheSameText() {
    AppRun run;
    run.addUser("alice");
    const std::string before = "[Password]\r\nRequest=0\r\nPassword=" + Scrambled("Same") + "\r\n";
    run.writeIniBytes(before);
    QVERIFY(run.start());
    withOptions([](TfSetup* d) { d->bOK->click(); });
    const std::string after = run.iniBytes();
    QCOMPARE(bytes(after.substr(0, before.size())), bytes(before));
    QVERIFY(after.size() > before.size()); // the filter and export sections follow
}

namespace {

// The three ways a dialog ends without OK, as rows of a data table.
void waysToEndWithoutOk() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "cancel";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "close";
}

void endWithoutOk(QDialog* dialog, QAbstractButton* cancel, const QString& how) {
    if (how == QLatin1String("cancel"))
        cancel->click();
    else if (how == QLatin1String("escape"))
        QTest::keyClick(dialog, Qt::Key_Escape);
    else
        dialog->close();
}

} // namespace

void PasswordSettingsTest::endingWithoutOkKeepsTheStored_data() {
    waysToEndWithoutOk();
}

void PasswordSettingsTest::endingWithoutOkKeepsTheStored() {
    QFETCH(QString, how);
    AppRun run;
    run.addUser("alice");
    run.setIni("Password", "Request", "1");
    run.setIni("Password", "Password", Scrambled("keep"));
    const std::string before = run.iniBytes();
    run.create();
    QCOMPARE(answerPrompt(run, {"keep"}).shown, 1);
    withOptions([&](TfSetup* d) {
        d->cbRequest->setChecked(false);
        setBoth(d, QStringLiteral("new"));
        endWithoutOk(d, d->bCancel, how);
    });
    QVERIFY(!fSetup->isVisible());
    QCOMPARE(bytes(run.iniBytes()), bytes(before));
    QVERIFY(fSetup->cbRequest->isChecked());
    QCOMPARE(bytes(fSetup->storedPassword()), bytes(Scrambled("keep")));
    // A later save from elsewhere (the export, the filter toggle) writes the stored state.
    fSetup->SaveSettings();
    QCOMPARE(run.ini("Password", "Request"), std::string("1"));
    QCOMPARE(bytes(storedLine(run)), bytes(Scrambled("keep")));
    QString reopened;
    withOptions([&](TfSetup* d) {
        reopened = d->ePass1->text();
        d->bCancel->click();
    });
    QCOMPARE(reopened, QStringLiteral("keep"));
}

void PasswordSettingsTest::cancelAtThePromptEndsTheProgram_data() {
    waysToEndWithoutOk();
}

void PasswordSettingsTest::cancelAtThePromptEndsTheProgram() {
    QFETCH(QString, how);
    AppRun run;
    run.addUser("alice");
    run.setIni("Password", "Request", "1");
    run.setIni("Password", "Password", Scrambled("x"));
    run.create();
    const PromptResult r =
        answerPrompt(run, {"y"}, [&](TfPassword* p) { endWithoutOk(p, p->Button2, how); });
    QCOMPARE(r.shown, 1);
    QCOMPARE(r.openAfter, QList<int>{1});
    QVERIFY(!fPassword->isVisible());
    QVERIFY(!fMain->isVisible());
    QCOMPARE(fPassword->result(), int(QDialog::Rejected));
    QCOMPARE(run.ini("Users", "User"), std::string()); // written by the end of the run
}

namespace {

bool typeable(unsigned char c) {
    return (c >= 0x20 && c < 0x7F) || c >= 0xA0;
}
bool lineSafe(const std::string& s) {
    return s.find_first_of(std::string("\0\r\n", 3)) == std::string::npos;
}
bool blank(char c) {
    return c == ' ' || c == '\t';
}

struct StorageCase {
    const char* name;
    bool (*matches)(const std::string& scrambled);
    bool refused;
};

const StorageCase kStorageCases[] = {
    {"zero byte", [](const std::string& s) { return s.find('\0') != std::string::npos; }, true},
    {"line feed", [](const std::string& s) { return s.find('\n') != std::string::npos; }, true},
    {"carriage return", [](const std::string& s) { return s.find('\r') != std::string::npos; },
     true},
    {"blank at the start", [](const std::string& s) { return lineSafe(s) && s.front() == ' '; },
     true},
    {"tab at the end", [](const std::string& s) { return lineSafe(s) && s.back() == '\t'; }, true},
    {"double quotes at both ends",
     [](const std::string& s) {
         return lineSafe(s) && s.size() >= 2 && s.front() == '"' && s.back() == '"';
     },
     true},
    {"single quotes at both ends",
     [](const std::string& s) {
         return lineSafe(s) && s.size() >= 2 && s.front() == '\'' && s.back() == '\'';
     },
     true},
    {"one quote only",
     [](const std::string& s) {
         return lineSafe(s) && s.size() >= 2 && s.front() == '"' && s.back() != '"' &&
                !blank(s.back());
     },
     false},
    {"blank inside",
     [](const std::string& s) {
         return lineSafe(s) && s.size() >= 3 && s.find(' ') != std::string::npos &&
                !blank(s.front()) && !blank(s.back()) && s.front() != '"' && s.front() != '\'';
     },
     false},
};

// The shortest password a user can type whose stored form matches.
std::string findPassword(bool (*matches)(const std::string&)) {
    std::vector<unsigned char> all, letters;
    for (int c = 0; c < 256; ++c) {
        if (typeable(static_cast<unsigned char>(c)))
            all.push_back(static_cast<unsigned char>(c));
        if (std::isalnum(c))
            letters.push_back(static_cast<unsigned char>(c));
    }
    for (unsigned char a : all) {
        if (matches(Scrambled(std::string(1, static_cast<char>(a)))))
            return std::string(1, static_cast<char>(a));
    }
    for (unsigned char a : all)
        for (unsigned char b : all) {
            const std::string p{static_cast<char>(a), static_cast<char>(b)};
            if (matches(Scrambled(p)))
                return p;
        }
    for (unsigned char a : letters)
        for (unsigned char b : all)
            for (unsigned char c : letters) {
                const std::string p{static_cast<char>(a), static_cast<char>(b),
                                    static_cast<char>(c)};
                if (matches(Scrambled(p)))
                    return p;
            }
    return {};
}

} // namespace

void PasswordSettingsTest::unstorablePasswordsAreRefused_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(kStorageCases)); ++i)
        QTest::newRow(kStorageCases[i].name) << i;
}

void PasswordSettingsTest::unstorablePasswordsAreRefused() {
    QFETCH(int, index);
    const StorageCase& c = kStorageCases[index];
    const std::string plain = findPassword(c.matches);
    QVERIFY(!plain.empty());
    AppRun run;
    run.addUser("alice");
    QVERIFY(run.start());
    Dialogs::clearRecord();
    bool open = false;
    withOptions([&](TfSetup* d) {
        d->cbRequest->setChecked(true);
        setBoth(d, fromAnsi(plain));
        d->bOK->click();
        open = d->isVisible();
        if (open)
            d->bCancel->click();
    });
    QCOMPARE(open, c.refused);
    if (c.refused) {
        QCOMPARE(messages(), QStringList{kCannotStore});
        QVERIFY(!std::filesystem::exists(run.iniPath()));
        return;
    }
    QVERIFY(messages().isEmpty());
    QCOMPARE(bytes(storedLine(run)), bytes(Scrambled(plain)));
    run.restart();
    run.create();
    const PromptResult r = answerPrompt(run, {fromAnsi(plain)});
    QCOMPARE(r.openAfter, QList<int>{0});
}

void PasswordSettingsTest::charactersWithoutAByteAreRefused() {
    AppRun run;
    run.addUser("alice");
    QVERIFY(run.start());
    Dialogs::clearRecord();
    withOptions([&](TfSetup* d) {
        setBoth(d, QString::fromUtf8("пароль"));
        d->bOK->click();
        d->bCancel->click();
    });
    QCOMPARE(messages(), QStringList{kCannotStore});
    QVERIFY(!std::filesystem::exists(run.iniPath()));
}

void PasswordSettingsTest::longStoredTexts_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("countsAsEmpty");
    QTest::newRow("99 characters") << 99 << false;
    QTest::newRow("100 characters") << 100 << true;
    QTest::newRow("500 characters") << 500 << true;
}

void PasswordSettingsTest::longStoredTexts() {
    QFETCH(int, length);
    QFETCH(bool, countsAsEmpty);
    // Only a hand-edited file holds such a text.
    std::string stored(static_cast<std::size_t>(length), 'x');
    AppRun run;
    run.addUser("alice");
    run.setIni("Password", "Request", "1");
    run.setIni("Password", "Password", stored);
    const std::string plain = countsAsEmpty ? std::string() : Unscrambled(stored);
    run.create();
    const PromptResult r = answerPrompt(run, {fromAnsi(plain)});
    QCOMPARE(r.openAfter, QList<int>{0});
    QString boxes;
    withOptions([&](TfSetup* d) {
        boxes = d->ePass1->text();
        d->bOK->click();
    });
    QCOMPARE(boxes, fromAnsi(plain)); // whole, past the typing limit
    // OK without changes: a readable stored text stays as it was.
    QCOMPARE(bytes(storedLine(run)), bytes(countsAsEmpty ? std::string() : stored));
}

void PasswordSettingsTest::unreadableDateKeepsPasswordAndUnreadKeys() {
    AppRun run;
    run.addUser("alice");
    const std::string head = "[Password]\r\nRequest=1\r\nPassword=" + Scrambled("pw") +
                             "\r\n[Filter]\r\nTrans=\"Food\"\r\nPay=\"...\"\r\nCurr=\"...\"\r\n"
                             "FromOn=1\r\nFrom=";
    const std::string tail = "\r\nToOn=1\r\nTo=03/04/2021\r\nOn=1\r\n[Export]\r\n"
                             "Path=/x/y.CSV\r\nHeader=0\r\n";
    run.writeIniBytes(head + "13.13.2020" + tail);
    run.create();
    // The prompt still comes and still wants the password.
    const PromptResult r = answerPrompt(run, {"", "pw"});
    QCOMPARE(r.shown, 1);
    QCOMPARE(r.openAfter, (QList<int>{1, 0}));
    const QString error = QStringLiteral("'13.13.2020' is not a valid date and time.");
    QCOMPARE(errors(), QStringList(3, error)); // show, first activation, prompt
    QCOMPARE(fFilter->cbTrans->currentText(), QStringLiteral("Food"));
    QVERIFY(!fFilter->cbFilter->isChecked()); // not reached
    QCOMPARE(fSetup->unreadKeys()[SettingsBlock::indexOf(keys::FromOn)], true);
    QCOMPARE(fSetup->unreadKeys()[SettingsBlock::indexOf(keys::From)], false);

    // A save writes the date again in the present format and leaves the keys the load did not
    // reach as the file has them.
    withOptions([](TfSetup* d) { d->bOK->click(); });
    QCOMPARE(bytes(run.iniBytes()), bytes(head + TodayPickerText() + tail));

    // From now on the file reads whole.
    Dialogs::clearRecord();
    fSetup->LoadSettings();
    QVERIFY(errors().isEmpty());
    QVERIFY(fFilter->dFrom->isChecked());
    QVERIFY(fFilter->dTo->isChecked());
    QVERIFY((fFilter->dTo->date() == CalendarDay{2021, 3, 4}));
    QVERIFY(fFilter->cbFilter->isChecked());
    QCOMPARE(fExport->eFile->text(), QStringLiteral("/x/y.CSV"));
    QVERIFY(!fExport->cbHeader->isChecked());
    for (bool unread : fSetup->unreadKeys())
        QVERIFY(!unread);
}

void PasswordSettingsTest::refusedWriteNeverScramblesTwice() {
    AppRun run;
    run.addUser("alice");
    QVERIFY(run.start());
    const std::string blocked = run.dir.file("no-such-folder/Ledra.ini");
    QStringList boxesAfterFailure;
    bool openAfterFailure = false;
    withOptions([&](TfSetup* d) {
        d->cbRequest->setChecked(true);
        setBoth(d, QStringLiteral("pw"));
        SetSettingsPathOverride(blocked);
        d->bOK->click();
        d->bOK->click();
        openAfterFailure = d->isVisible();
        boxesAfterFailure << d->ePass1->text() << d->ePass2->text();
        SetSettingsPathOverride(run.iniPath());
        d->bOK->click();
    });
    QVERIFY(openAfterFailure);
    QCOMPARE(boxesAfterFailure, (QStringList{"pw", "pw"}));
    const QString error =
        QStringLiteral("Unable to write to %1.").arg(QString::fromStdString(blocked));
    QCOMPARE(errors(), QStringList(2, error));
    QVERIFY(!fSetup->isVisible());
    QCOMPARE(bytes(storedLine(run)), bytes(Scrambled("pw")));
    run.restart();
    run.create();
    QCOMPARE(answerPrompt(run, {"pw"}).openAfter, QList<int>{0});
}

QTEST_MAIN(PasswordSettingsTest)
#include "PasswordSettingsTest.moc"
