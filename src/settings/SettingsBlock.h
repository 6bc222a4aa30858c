#pragma once
// The block of Ledra.ini that the Options, filter and export dialogs share: the "Password",
// "Filter" and "Export" sections as one ordered table of twelve keys. The values live in the
// dialogs' controls, never here: each dialog binds the controls it owns to their keys, and the
// load and the save walk the table, each in its own order.

#include "platform/Regional.h"
#include "settings/SettingsFile.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <variant>

// A key's value on its way between the file and a control: Boolean keys carry a bool, date keys
// a DateTimeValue, every text form a std::string of single-byte text.
using SettingValue = std::variant<bool, std::string, DateTimeValue>;

class SettingsBlock {
public:
    static constexpr std::size_t kKeyCount = 12;

    // The keys in the order of the load. Each date comes before its check box, so that a date
    // that cannot be read stops the load before its box can switch a filter on that date.
    static constexpr std::array<const SettingKey*, kKeyCount> kKeys{
        &keys::Request, &keys::Password, &keys::Trans,      &keys::Pay,
        &keys::Curr,    &keys::From,     &keys::FromOn,     &keys::To,
        &keys::ToOn,    &keys::On,       &keys::ExportPath, &keys::Header};
    // The save writes each check box before its date: a file written afresh lists the keys in
    // the order the file has always had ("FromOn" above "From"), whatever the load needs.
    static constexpr std::array<std::size_t, kKeyCount> kSaveOrder{0, 1, 2, 3, 4,  6,
                                                                   5, 8, 7, 9, 10, 11};

    // The key's place in kKeys; kKeyCount for a key outside the block.
    static std::size_t indexOf(const SettingKey& key);

    // `owner` (a dialog) lets the control behind `key` be read and set; unbind(owner) drops
    // every binding of that owner. A key that nothing binds is neither read nor written.
    void bind(const SettingKey& key, const void* owner, std::function<SettingValue()> get,
              std::function<void(const SettingValue&)> set);
    void unbind(const void* owner);

    // Reads every bound key in its value form with the key's own default into its control. An
    // unreadable date stops the load there with a LedraError; the keys after it are then marked
    // unread (their controls hold older values) until a load reads them again. The failing date
    // itself is not marked: its control keeps a date, and writing that in the present format is
    // what makes the file readable again.
    void load(const SettingsFile& file);
    // Writes every bound key that is not marked unread, in kSaveOrder; a refused write stops
    // the save there with a LedraError.
    void save(const SettingsFile& file) const;

    // Indexed as kKeys.
    const std::array<bool, kKeyCount>& unreadKeys() const { return unread_; }

private:
    struct Binding {
        const void* owner = nullptr;
        std::function<SettingValue()> get;
        std::function<void(const SettingValue&)> set;
    };
    std::array<Binding, kKeyCount> bindings_{};
    std::array<bool, kKeyCount> unread_{};
};

// The one block of the program, bound by the dialogs while they exist.
SettingsBlock& SharedSettingsBlock();
// Loads or saves it from and into Ledra.ini (SettingsPath()).
void LoadSettingsBlock();
void SaveSettingsBlock();
