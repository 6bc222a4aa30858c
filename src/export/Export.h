#pragma once
// The export dialog: file name, header choice, and the CSV writer behind its Export button.
// It writes the list that the main window shows (the view host's grid) as its cells read.

#include <QDialog>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The view's default file name ("Ledra_Money.CSV" ... "Ledra_Currency.CSV"); null for a value
// that names no view.
const char* DefaultExportFileName(int activeView);
// Everything up to and including the last backslash, colon or slash; empty when there is none.
QString ExportFolderPart(const QString& path);
// The folder of `current` followed by the view's default name; `current` itself for a value
// that names no view.
QString ProposeExportPath(const QString& current, int activeView);

class TfExport : public QDialog {
    Q_OBJECT
public:
    explicit TfExport(QWidget* parent = nullptr);
    ~TfExport() override;

    QLabel* Label1;
    QLineEdit* eFile;
    QToolButton* sbBrowse;
    QCheckBox* cbHeader;
    QFrame* Bevel1;
    QPushButton* bOK;
    QPushButton* bCancel;

    // The "Path" setting is single-byte text but eFile holds a file name: the settings keep the
    // file system's bytes of the name (QFile::encodeName), so any path the system can open
    // survives a save and a load unchanged. Bytes that are no valid name in that encoding (a
    // file written with single-byte text) are read as single-byte text.
    std::string PathSetting() const;
    void SetPathSetting(const std::string& bytes);

    void FormShow();
    void sbBrowseClick();
    // Saves the settings, then writes the file; the dialog ends with OK whatever happens here.
    void bOKClick();

protected:
    void showEvent(QShowEvent* event) override;
};

// The one instance, created with the other forms (app/Forms); null before and after.
extern TfExport* fExport;
