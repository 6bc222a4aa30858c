#pragma once
// Every message box, the general error box, the beep and the save-file dialog go through here,
// so that tests answer them and see what was shown without a window waiting.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace Dialogs {

// A modal message box with one OK button, titled with the application title.
void message(const QString& text, QWidget* parent = nullptr);
// The general error box: application title, error icon, the message followed by a full stop.
void error(const QString& text, QWidget* parent = nullptr);
// The system's default beep.
void beep();

struct SaveFileOptions {
    QString filter;        // e.g. "Comma Separated File (*.CSV)"
    QString defaultSuffix; // e.g. "CSV"
};
// The chosen full path, or an empty text when the user cancelled.
QString saveFileName(const SaveFileOptions& options, QWidget* parent = nullptr);
// A folder chooser starting in `start`; the chosen folder, or an empty text when cancelled.
QString folderName(const QString& caption, const QString& start, QWidget* parent = nullptr);

// --- test hooks ------------------------------------------------------------------------------
struct Shown {
    enum Kind { Message, Error, Beep, SaveFile, Folder } kind;
    QString text;
};
// While recording, nothing is shown: every call is appended to the record instead, and
// saveFileName and folderName answer with the next queued answer (empty text when none is
// queued).
void startRecording();
void stopRecording();
bool isRecording();
const QList<Shown>& record();
void clearRecord();
void setNextSaveFileName(const QString& path);
// folderName answers with these while recording (empty text when none is queued).
void setNextFolderName(const QString& path);
// Called for every recorded call (after it was recorded); lets a test act at that moment.
void setOnShown(std::function<void(const Shown&)> hook);

} // namespace Dialogs

// Runs a handler; an exception that escapes it ends the handler with the general error box,
// so that nothing crosses the event loop.
void Guarded(const std::function<void()>& handler);
