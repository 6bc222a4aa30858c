#pragma once
// The Options dialog (start-up password). It binds its two controls to the settings block and
// loads and saves the whole block, whose other keys the filter and export dialogs bind.

#include "settings/SettingsBlock.h"

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TfSetup : public QDialog {
    Q_OBJECT
public:
    explicit TfSetup(QWidget* parent = nullptr);
    ~TfSetup() override;

    // Reads the twelve keys of the block into the controls, in their order; an unreadable date
    // stops the load there with a LedraError (the caller's Guarded handler shows it).
    void LoadSettings();
    // Writes the twelve keys from the controls; a refused write stops the save there with a
    // LedraError. Keys that the last load did not reach are not written (see unreadKeys()).
    void SaveSettings();

    // Byte shifts of the stored form; they use no state of the dialog.
    static void Scramble(unsigned char* buffer, int n);
    static void Unscramble(unsigned char* buffer, int n);

    // The stored (scrambled) password that the password boxes stand for while the dialog is
    // not shown, exactly as the last load read it or the last OK made it.
    const std::string& storedPassword() const { return scrambled_; }
    // The plain password of the stored text. A stored text longer than the 99 characters the
    // password ever had room for can only come from editing the file by hand; it counts as
    // the empty password, so that its owner is never locked out.
    std::string storedPlainPassword() const;
    // Whether a scrambled text comes back byte for byte from the settings file.
    static bool CanStore(const std::string& scrambled);

    static constexpr int kMaxPasswordLength = 20;
    static constexpr std::size_t kMaxStoredLength = 99;

    // After a load that stopped at an unreadable date, the keys it did not reach, indexed as
    // SettingsBlock::kKeys: their controls hold older values, so saves leave those keys in the
    // file alone until a load reads them again.
    const std::array<bool, SettingsBlock::kKeyCount>& unreadKeys() const;

    QCheckBox* cbRequest;
    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* ePass1;
    QLineEdit* ePass2;
    QPushButton* bOK;
    QPushButton* bCancel;

    // Handlers.
    void cbRequestClick();
    void bOKClick();

    // Every end without OK (Cancel, Escape, the close box) comes here.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void layoutControls();
    void setBoxes(const QString& text);
    void showStoredInBoxes();

    std::string scrambled_;
    bool plainShown_ = false;
};

// The one instance, created with the other forms (app/Forms); null before and after.
extern TfSetup* fSetup;
