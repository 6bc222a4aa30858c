#pragma once
// A whole run of the viewer in a test: a desktop data root and a settings file of the test's
// own, pinned regional formats and picker time, every message box recorded.

#include "PdbWriter.h"
#include "TempDir.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "filter/DatePicker.h"
#include "platform/AppPaths.h"
#include "platform/IniProfile.h"
#include "platform/Regional.h"
#include "platform/UserDirectory.h"
#include "settings/Global.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace fixture {

inline const QString kNoUser =
    QStringLiteral("Unable to open files.\n\nSelect user, and check does Ledra database\nfiles "
                   "exists in your BACKUP directory:\n");
inline const QString kMissingFile = QStringLiteral(
    "Unable to open one or more files.\n\nCheck does Ledra database(s)\nfiles exists in your "
    "BACKUP directory:\n\nIf files not exists than, mark files for backup\nin palm program "
    "proprties and do synchronisation ones.\n");

inline constexpr TimeOfDay kPickerTime{12, 0, 0};

struct AppRun {
    TempDir dir;

    AppRun() {
        SetRegionalFormats(CFormats());
        SetSettingsPathOverride(iniPath());
        userdir::SetRootOverride(root());
        DatePicker::setCreationTimeForTests(&kPickerTime);
        QApplication::setQuitOnLastWindowClosed(false);
        std::filesystem::create_directories(root());
        Dialogs::startRecording();
    }
    ~AppRun() {
        DestroyForms();
        Dialogs::stopRecording();
        DatePicker::setCreationTimeForTests(nullptr);
        userdir::SetRootOverride("");
        SetSettingsPathOverride("");
    }
    AppRun(const AppRun&) = delete;
    AppRun& operator=(const AppRun&) = delete;

    std::string root() const { return dir.path() + "/root/"; }
    std::string iniPath() const { return dir.file("Ledra.ini"); }

    // A handheld user with its four files; `transactions` tells the users apart, `skip` names
    // a file ("Money", "Payment", "Currency", "Types") that is left out.
    void addUser(const std::string& name, int transactions = 2,
                 const std::string& skip = {}) const {
        const std::string backup = root() + name + "/BACKUP";
        std::filesystem::create_directories(backup);
        PdbWriter money, types, payment, currency;
        money.name = "Ledra_Money";
        money.appInfo = CategoryBlock({"Unfiled", "Business"});
        for (int i = 0; i < transactions; ++i)
            money.add(
                TransactionBytes(PackDate(2020, 1 + i % 12, 1 + i), 1, 1, -10.0 - i, 1, "memo"));
        types.add(TypeRecordBytes(1, "Food"));
        payment.add(TypeRecordBytes(1, "Cash"));
        std::array<CurrencySlot, 11> table{};
        table[1] = {"Euro", "EUR", 1.0, true, true};
        currency.add(CurrencyTableRecord(table));
        const std::pair<const char*, const PdbWriter*> files[] = {
            {"Money", &money}, {"Types", &types}, {"Payment", &payment}, {"Currency", &currency}};
        for (const auto& [file, writer] : files) {
            if (skip != file)
                writer->save(backup + "/Ledra_" + file + ".PDB");
        }
    }

    void setIni(const char* section, const char* key, const std::string& value) const {
        WriteProfileString(section, key, value, iniPath());
    }
    std::string ini(const char* section, const char* key) const {
        return GetProfileString(section, key, "<absent>", iniPath());
    }
    std::string iniBytes() const {
        std::ifstream in(iniPath(), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    void writeIniBytes(const std::string& bytes) const {
        std::ofstream out(iniPath(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    // Creates the forms and shows the main window; returns once its first activation (with
    // the password prompt, when asked for) has run.
    bool start() const {
        create();
        return show();
    }
    void create() const { CreateForms(); }
    bool show() const {
        fMain->show();
        return QTest::qWaitFor([] { return fMain->firstActivationDone(); }, 5000) &&
               QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }, 5000);
    }
    // Ends this run's forms so that the next start() is a new run.
    void restart() const {
        DestroyForms();
        Dialogs::clearRecord();
    }
};

inline QStringList shown(Dialogs::Shown::Kind kind) {
    QStringList texts;
    for (const Dialogs::Shown& s : Dialogs::record())
        if (s.kind == kind)
            texts << s.text;
    return texts;
}
inline QStringList messages() {
    return shown(Dialogs::Shown::Message);
}
inline QStringList errors() {
    return shown(Dialogs::Shown::Error);
}

// Runs `answer` on `dialog` as soon as it is visible, from inside whatever modal loop shows
// it; a dialog still open afterwards is rejected, so no test waits on a window. Keep the
// returned object alive for as long as the dialog may come up.
class ModalAnswer {
public:
    ModalAnswer(QDialog* dialog, std::function<void(QDialog*)> answer)
        : dialog_(dialog), answer_(std::move(answer)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (!dialog_->isVisible())
                return;
            timer_.stop();
            ++count_;
            answer_(dialog_);
            if (dialog_->isVisible())
                dialog_->reject();
        });
        timer_.start();
    }
    int count() const { return count_; }
    // Answer the next showing too.
    void rearm() { timer_.start(); }

private:
    QDialog* dialog_;
    std::function<void(QDialog*)> answer_;
    QTimer timer_;
    int count_ = 0;
};

// Today's date in the pinned formats, as the pickers of a fresh run save it.
inline std::string TodayPickerText() {
    const QDate d = QDate::currentDate();
    return FormatDateTime({{d.year(), d.month(), d.day()}, kPickerTime});
}

} // namespace fixture
