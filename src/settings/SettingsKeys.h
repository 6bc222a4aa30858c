#pragma once
// Every key of Ledra.ini with its section, value form and default, in one table.

#include <string>

enum class ValueForm { Text, QuotedText, Integer, Boolean, DateText, ScrambledText };

struct SettingKey {
    const char* section;
    const char* key;
    ValueForm form;
    const char* defaultValue; // nullptr where the default is computed (today, home code, path)
    // The computed default of a text key, where the settings can compute it.
    std::string (*computedDefault)() = nullptr;
};

// "out.CSV" in the folder of the executable: a path of this system, not single-byte text.
std::string DefaultExportPath();

namespace keys {
inline constexpr SettingKey User{"Users", "User", ValueForm::Text, ""};
inline constexpr SettingKey Category{"Money", "Category", ValueForm::Text, "All"};
inline constexpr SettingKey Currency{"Money", "Currency", ValueForm::Text, nullptr};
inline constexpr SettingKey Mode{"Money", "Mode", ValueForm::Integer, "0"};
inline constexpr SettingKey IO{"Money", "IO", ValueForm::Integer, "2"};
inline constexpr SettingKey Request{"Password", "Request", ValueForm::Boolean, "0"};
inline constexpr SettingKey Password{"Password", "Password", ValueForm::ScrambledText, ""};
inline constexpr SettingKey Trans{"Filter", "Trans", ValueForm::QuotedText, "..."};
inline constexpr SettingKey Pay{"Filter", "Pay", ValueForm::QuotedText, "..."};
inline constexpr SettingKey Curr{"Filter", "Curr", ValueForm::QuotedText, "..."};
inline constexpr SettingKey FromOn{"Filter", "FromOn", ValueForm::Boolean, "0"};
inline constexpr SettingKey From{"Filter", "From", ValueForm::DateText, nullptr};
inline constexpr SettingKey ToOn{"Filter", "ToOn", ValueForm::Boolean, "0"};
inline constexpr SettingKey To{"Filter", "To", ValueForm::DateText, nullptr};
inline constexpr SettingKey On{"Filter", "On", ValueForm::Boolean, "0"};
inline constexpr SettingKey ExportPath{"Export", "Path", ValueForm::Text, nullptr,
                                       &DefaultExportPath};
inline constexpr SettingKey Header{"Export", "Header", ValueForm::Boolean, "1"};
// The finance export dialog: the format's name, the folder of the several-file formats, the
// csv table's file (both as the file system's bytes) and whether only the Money view's
// selection is written.
inline constexpr SettingKey FinanceFormat{"Finance", "Format", ValueForm::Text, "qif"};
inline constexpr SettingKey FinanceFolder{"Finance", "Folder", ValueForm::Text, nullptr};
inline constexpr SettingKey FinanceFile{"Finance", "File", ValueForm::Text, nullptr};
inline constexpr SettingKey FinanceShown{"Finance", "Shown", ValueForm::Boolean, "0"};
} // namespace keys
