#include "widgets/Dialogs.h"

#include "platform/LedraError.h"
#include "platform/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

struct SeamState {
    bool recording = false;
    QList<Dialogs::Shown> record;
    QStringList saveAnswers;
    QStringList folderAnswers;
    std::function<void(const Dialogs::Shown&)> onShown;
};

SeamState& state() {
    static SeamState s;
    return s;
}

const QString kTitle = QStringLiteral("Ledra");

bool recordCall(Dialogs::Shown::Kind kind, const QString& text) {
    SeamState& s = state();
    if (!s.recording)
        return false;
    s.record.append({kind, text});
    if (s.onShown)
        s.onShown(s.record.last());
    return true;
}

// Messages mix our own ASCII texts with file paths (UTF-8 on this system) and texts from the
// settings file (single-byte): take UTF-8 where the bytes are valid UTF-8.
QString messageText(const char* what) {
    const QByteArray bytes(what);
    QString utf8 = QString::fromUtf8(bytes);
    if (!utf8.contains(QChar::ReplacementCharacter))
        return utf8;
    return fromAnsi(bytes.toStdString());
}

} // namespace

namespace Dialogs {

void message(const QString& text, QWidget* parent) {
    if (recordCall(Shown::Message, text))
        return;
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

void error(const QString& text, QWidget* parent) {
    const QString withStop = text + QLatin1Char('.');
    if (recordCall(Shown::Error, withStop))
        return;
    QMessageBox box(QMessageBox::Critical, kTitle, withStop, QMessageBox::Ok, parent);
    box.exec();
}

void beep() {
    if (recordCall(Shown::Beep, QString()))
        return;
    QApplication::beep();
}

QString saveFileName(const SaveFileOptions& options, QWidget* parent) {
    SeamState& s = state();
    if (s.recording) {
        const QString answer = s.saveAnswers.isEmpty() ? QString() : s.saveAnswers.takeFirst();
        recordCall(Shown::SaveFile, answer);
        return answer;
    }
    QFileDialog dlg(parent);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilter(options.filter);
    dlg.setDefaultSuffix(options.defaultSuffix);
    dlg.setSizeGripEnabled(true);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

QString folderName(const QString& start, QWidget* parent) {
    SeamState& s = state();
    if (s.recording) {
        const QString answer = s.folderAnswers.isEmpty() ? QString() : s.folderAnswers.takeFirst();
        recordCall(Shown::Folder, answer);
        return answer;
    }
    return QFileDialog::getExistingDirectory(parent, QString(), start);
}

void startRecording() {
    state().recording = true;
    state().record.clear();
}
void stopRecording() {
    state() = SeamState{};
}
bool isRecording() {
    return state().recording;
}
const QList<Shown>& record() {
    return state().record;
}
void clearRecord() {
    state().record.clear();
}
void setNextSaveFileName(const QString& path) {
    state().saveAnswers.append(path);
}
void setNextFolderName(const QString& path) {
    state().folderAnswers.append(path);
}
void setOnShown(std::function<void(const Shown&)> hook) {
    state().onShown = std::move(hook);
}

} // namespace Dialogs

void Guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        Dialogs::error(messageText(e.what()));
    } catch (...) {
        Dialogs::error(QStringLiteral("Unexpected error"));
    }
}
