#pragma once
// The dialog that writes the handheld user's records for another finance program: the format
// (one line each naming the programs that read it), the target folder or file, whether only
// what the Money view shows is written, and a summary of what was written. Its choices live in
// the "Finance" section of the settings file.

#include "finance/FinanceExport.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class TfFinance : public QDialog {
    Q_OBJECT
public:
    explicit TfFinance(QWidget* parent = nullptr);

    QGroupBox* gbFormat;
    QRadioButton* rbQif;
    QRadioButton* rbOfx;
    QRadioButton* rbHomeBank;
    QRadioButton* rbCsv;
    QLabel* lTarget;
    QLineEdit* eTarget;
    QToolButton* sbBrowse;
    QCheckBox* cbShown;
    QLabel* lSummary;
    QPlainTextEdit* mSummary;
    QPushButton* bExport;
    QPushButton* bClose;

    finance::Format format() const;
    void setFormat(finance::Format format);

    // The category and filter of the Money view while it is the view shown, else nothing.
    // Supplied by the main window, the one place that knows every form.
    std::function<std::optional<ListingChoices>()> MoneyViewChoices;

    void LoadFinanceSettings();
    void SaveFinanceSettings();
    void sbBrowseClick();
    // Writes the files and shows the summary; the dialog stays open.
    void bExportClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void formatChanged();
    QRadioButton* buttonOf(finance::Format format) const;
    // The target as the file system's bytes.
    std::string targetBytes() const;

    finance::Format shownFormat_ = finance::Format::Qif;
    QString folder_, file_; // the target of the other kind, kept while the format changes
};

extern TfFinance* fFinance;
