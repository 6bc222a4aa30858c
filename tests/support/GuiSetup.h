#pragma once
// The one set-up of every GUI test: a folder of the test's own for the settings file and the
// desktop data root, the regional formats and the pickers' time of day pinned, every message
// box recorded; the forms go with it. And the one way to answer a modal dialog.

#include "TempDir.h"
#include "app/Forms.h"
#include "filter/DatePicker.h"
#include "platform/AppPaths.h"
#include "platform/IniProfile.h"
#include "platform/Regional.h"
#include "platform/UserDirectory.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

inline constexpr TimeOfDay kPickerTime{12, 0, 0};

struct GuiSetup {
    TempDir dir;
    std::string oldConfigHome;
    bool hadConfigHome = std::getenv("XDG_CONFIG_HOME") != nullptr;

    GuiSetup() {
        // The remembered backup folder goes to a config folder of the test's own.
        if (hadConfigHome)
            oldConfigHome = std::getenv("XDG_CONFIG_HOME");
        ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
        SetRegionalFormats(CFormats());
        SetSettingsPathOverride(iniPath());
        userdir::SetRootOverride(root());
        DatePicker::setCreationTimeForTests(&kPickerTime);
        QApplication::setQuitOnLastWindowClosed(false);
        std::filesystem::create_directories(root());
        Dialogs::startRecording();
    }
    ~GuiSetup() {
        DestroyForms();
        Dialogs::stopRecording();
        DatePicker::setCreationTimeForTests(nullptr);
        userdir::SetRootOverride("");
        userdir::ForgetRunChoice();
        SetSettingsPathOverride("");
        if (hadConfigHome)
            ::setenv("XDG_CONFIG_HOME", oldConfigHome.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    GuiSetup(const GuiSetup&) = delete;
    GuiSetup& operator=(const GuiSetup&) = delete;

    std::string root() const { return dir.path() + "/root/"; }
    std::string iniPath() const { return dir.file("Ledra.ini"); }
    std::string ini(const char* section, const char* key) const {
        return GetProfileString(section, key, "<absent>", iniPath());
    }
    void setIni(const char* section, const char* key, const std::string& value) const {
        WriteProfileString(section, key, value, iniPath());
    }
};

// Runs `answer` on the dialog as soon as it is visible, from inside whatever modal loop shows
// it; a dialog still open afterwards is rejected, so no test waits on a window. Keep the
// returned object alive for as long as the dialog may come up. The dialog is either one that
// lives for the whole run, or found when it is up (one the action creates on demand).
class ModalAnswer {
public:
    ModalAnswer(QDialog* dialog, std::function<void(QDialog*)> answer)
        : ModalAnswer([dialog]() -> QDialog* { return dialog; }, std::move(answer)) {}
    ModalAnswer(std::function<QDialog*()> find, std::function<void(QDialog*)> answer)
        : find_(std::move(find)), answer_(std::move(answer)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QDialog* dialog = find_();
            if (!dialog || !dialog->isVisible())
                return;
            timer_.stop();
            ++count_;
            answer_(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        timer_.start();
    }
    int count() const { return count_; }
    // Answer the next showing too.
    void rearm() { timer_.start(); }

private:
    std::function<QDialog*()> find_;
    std::function<void(QDialog*)> answer_;
    QTimer timer_;
    int count_ = 0;
};

// Runs `action`, which is expected to show `dialog` modally, and answers it there. Returns
// whether the dialog was shown.
inline bool AnswerModal(QDialog* dialog, const std::function<void()>& action,
                        const std::function<void(QDialog*)>& answer) {
    ModalAnswer modal(dialog, answer);
    action();
    return modal.count() > 0;
}

// Runs `action`, which is expected to create a dialog of class `Dialog` and show it modally,
// and answers it there. Returns the dialog that was shown, or null.
template <typename Dialog>
Dialog* AnswerNewModal(const std::function<void()>& action,
                       const std::function<void(Dialog*)>& answer) {
    Dialog* seen = nullptr;
    ModalAnswer modal([] { return qobject_cast<Dialog*>(QApplication::activeModalWidget()); },
                      [&](QDialog* dialog) {
                          seen = static_cast<Dialog*>(dialog);
                          answer(seen);
                      });
    action();
    return seen;
}
