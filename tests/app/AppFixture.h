#pragma once
// A whole run of the viewer in a test: a desktop data root and a settings file of the test's
// own, pinned regional formats and picker time, every message box recorded.

#include "GuiSetup.h"
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
#include <cstdlib>
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

// The open messages go on with the folder that was searched and, for the second, what is
// wrong with each file that did not open.
inline QString noUserIn(const std::string& folder) {
    return kNoUser + QString::fromStdString(folder) +
           QStringLiteral("\n\nChoose the folder that holds your backups with File, Open Backup "
                          "Folder...\n");
}
inline QString missingIn(const std::string& folder, const QString& files) {
    return kMissingFile + QStringLiteral("\n") + QString::fromStdString(folder) +
           QStringLiteral("\n") + files;
}

struct AppRun : GuiSetup {
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
        userdir::ForgetRunChoice();
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

// Today's date in the pinned formats, as the pickers of a fresh run save it.
inline std::string TodayPickerText() {
    const QDate d = QDate::currentDate();
    return FormatDateTime({{d.year(), d.month(), d.day()}, kPickerTime});
}

} // namespace fixture
