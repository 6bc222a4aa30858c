#pragma once
// Reading and writing one key of Ledra.ini in its value form. Each call forms the path anew
// (SettingsPath()) unless a path is given.

#include "platform/Regional.h"
#include "settings/SettingsKeys.h"

#include <string>
#include <utility>
#include <vector>

class SettingsFile {
public:
    SettingsFile(); // SettingsPath()
    explicit SettingsFile(std::string path);
    const std::string& path() const { return path_; }

    std::string readText(const SettingKey& k, const std::string& def) const;
    // With the key's own default (its computed one where it has that, else "").
    std::string readText(const SettingKey& k) const;
    // A missing key, an empty value or no integer: `def`.
    int readInt(const SettingKey& k, int def) const;
    bool readBool(const SettingKey& k, bool def) const;
    // The same with the table's default (0 where the table has none).
    int readInt(const SettingKey& k) const;
    bool readBool(const SettingKey& k) const { return readInt(k) != 0; }
    // Throws LedraError "'<text>' is not a valid date and time" when the parser rejects it.
    DateTimeValue readDate(const SettingKey& k, const DateTimeValue& def) const;
    // The same with today at midnight (local time) as the default.
    DateTimeValue readDate(const SettingKey& k) const;

    void writeText(const SettingKey& k, const std::string& value) const;
    void writeQuoted(const SettingKey& k, const std::string& value) const; // "value"
    void writeInt(const SettingKey& k, int value) const;
    void writeBool(const SettingKey& k, bool value) const; // "1" / "0"
    void writeDate(const SettingKey& k, const DateTimeValue& value) const;
    // writeText for several keys, with one replace of the file (see WriteProfileStrings).
    void writeTexts(const std::vector<std::pair<SettingKey, std::string>>& values) const;

private:
    std::string path_;
};

// Integer value forms: decimal, "0x" hexadecimal, "-"; anything else gives nothing. Blanks at
// both ends and a leading "+" are allowed ("-0x5" is -5); trailing text ("12abc"), an empty
// text and a value outside int ("2147483648", "0xFFFFFFFF") give nothing, and `out` is then
// left alone.
bool ParseIniInteger(const std::string& text, int& out);
