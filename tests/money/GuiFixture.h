#pragma once
// The forms of a whole run over databases written by the test, with the settings file in a
// directory of the test's own and the regional formats pinned.

#include "MoneyData.h"
#include "TempDir.h"
#include "app/Forms.h"
#include "app/Main.h"
#include "filter/DatePicker.h"
#include "platform/AppPaths.h"
#include "platform/IniProfile.h"
#include "platform/Regional.h"
#include "settings/Global.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

struct GuiFixture {
    std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();

    GuiFixture() {
        SetRegionalFormats(CFormats());
        SetSettingsPathOverride(iniPath());
        static const TimeOfDay noon{12, 0, 0};
        DatePicker::setCreationTimeForTests(&noon);
        CreateForms();
    }
    ~GuiFixture() {
        DestroyForms();
        DatePicker::setCreationTimeForTests(nullptr);
        SetSettingsPathOverride("");
    }
    GuiFixture(const GuiFixture&) = delete;
    GuiFixture& operator=(const GuiFixture&) = delete;

    std::string iniPath() const { return dir->file("Ledra.ini"); }
    std::string ini(const char* section, const char* key) const {
        return GetProfileString(section, key, "<absent>", iniPath());
    }
    void setIni(const char* section, const char* key, const std::string& value) const {
        WriteProfileString(section, key, value, iniPath());
    }

    // Writes the databases and opens them as the main window would.
    void open(const MoneyData& data) {
        data.write(dir->path());
        for (auto [db, name] :
             {std::pair{MoneyDb, "Money"}, std::pair{TypesDb, "Types"},
              std::pair{PaymentDb, "Payment"}, std::pair{CurrencyDb, "Currency"}}) {
            db->Close();
            if (db->Open(dir->file(std::string("Ledra_") + name + ".PDB")) != 0)
                throw std::runtime_error("cannot open test database");
        }
    }
};

// Runs `action`, which is expected to show `dialog` modally; once the dialog is up, `answer`
// runs on it (click a button, close it). Returns whether the dialog was shown. A dialog that
// does not close after the answer is closed with reject(), so no test ever hangs.
inline bool AnswerModal(QDialog* dialog, const std::function<void()>& action,
                        const std::function<void(QDialog*)>& answer) {
    bool shown = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!dialog->isVisible())
            return;
        poll.stop();
        shown = true;
        answer(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll.start();
    action();
    poll.stop();
    return shown;
}
