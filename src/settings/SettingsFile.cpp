#include "settings/SettingsFile.h"

#include "platform/AppPaths.h"
#include "platform/IniProfile.h"
#include "platform/LedraError.h"

#include <climits>
#include <ctime>

std::string DefaultExportPath() {
    return ExecutableDir() + "out.CSV";
}

SettingsFile::SettingsFile() : path_(SettingsPath()) {}

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

} // namespace

bool ParseIniInteger(const std::string& text, int& out) {
    std::size_t i = 0, end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (end - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == end)
        return false;
    long long value = 0;
    for (; i < end; ++i) {
        const int d = digitValue(text[i]);
        if (d >= base)
            return false;
        value = value * base + d;
        if (value > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return false;
    out = static_cast<int>(value);
    return true;
}

std::string SettingsFile::readText(const SettingKey& k, const std::string& def) const {
    return GetProfileString(k.section, k.key, def, path_);
}

std::string SettingsFile::readText(const SettingKey& k) const {
    if (k.defaultValue)
        return readText(k, k.defaultValue);
    return readText(k, k.computedDefault ? k.computedDefault() : std::string());
}

int SettingsFile::readInt(const SettingKey& k, int def) const {
    int value = 0;
    const auto text = FindProfileString(k.section, k.key, path_);
    return text && ParseIniInteger(*text, value) ? value : def;
}

int SettingsFile::readInt(const SettingKey& k) const {
    int def = 0;
    if (k.defaultValue)
        ParseIniInteger(k.defaultValue, def);
    return readInt(k, def);
}

bool SettingsFile::readBool(const SettingKey& k, bool def) const {
    return readInt(k, def ? 1 : 0) != 0;
}

DateTimeValue SettingsFile::readDate(const SettingKey& k, const DateTimeValue& def) const {
    const auto text = FindProfileString(k.section, k.key, path_);
    if (!text)
        return def;
    const auto value = ParseDateTime(*text);
    if (!value)
        throw LedraError(FormatMessage("'%s' is not a valid date and time", *text));
    return *value;
}

DateTimeValue SettingsFile::readDate(const SettingKey& k) const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return readDate(k, {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, {}});
}

void SettingsFile::writeText(const SettingKey& k, const std::string& value) const {
    WriteProfileString(k.section, k.key, value, path_);
}

void SettingsFile::writeTexts(const std::vector<std::pair<SettingKey, std::string>>& values) const {
    std::vector<ProfileEntry> entries;
    for (const auto& [k, value] : values)
        entries.push_back({k.section, k.key, value});
    WriteProfileStrings(entries, path_);
}

void SettingsFile::writeQuoted(const SettingKey& k, const std::string& value) const {
    writeText(k, "\"" + value + "\"");
}

void SettingsFile::writeInt(const SettingKey& k, int value) const {
    writeText(k, std::to_string(value));
}

void SettingsFile::writeBool(const SettingKey& k, bool value) const {
    writeText(k, value ? "1" : "0");
}

void SettingsFile::writeDate(const SettingKey& k, const DateTimeValue& value) const {
    writeText(k, FormatDateTime(value));
}
