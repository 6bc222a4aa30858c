#pragma once
// Reading and writing one key of Ledra.ini in its value form. Each call forms the path anew
// (SettingsPath()) unless a path is given.

#include "platform/Regional.h"
#include "settings/SettingsKeys.h"

#include <string>

class SettingsFile {
public:
    SettingsFile(); // SettingsPath()
    explicit SettingsFile(std::string path);
    const std::string& path() const { return path_; }

    std::string readText(const SettingKey& k, const std::string& def) const;
    std::string readText(const SettingKey& k) const { return readText(k, k.defaultValue ? k.defaultValue : ""); }
    int readInt(const SettingKey& k, int def) const;
    bool readBool(const SettingKey& k, bool def) const;
    // Throws LedraError "'<text>' is not a valid date and time" when the parser rejects it.
    DateTimeValue readDate(const SettingKey& k, const DateTimeValue& def) const;

    void writeText(const SettingKey& k, const std::string& value) const;
    void writeQuoted(const SettingKey& k, const std::string& value) const; // "value"
    void writeInt(const SettingKey& k, int value) const;
    void writeBool(const SettingKey& k, bool value) const; // "1" / "0"
    void writeDate(const SettingKey& k, const DateTimeValue& value) const;

private:
    std::string path_;
};

// Integer value forms: decimal, "0x" hexadecimal, "-"; anything else gives nothing.
bool ParseIniInteger(const std::string& text, int& out);
