// Fuzzes the settings file reader and writer with every value form, and the date parser.
// The input is the whole Ledra.ini.

#include "FuzzSupport.h"
#include "platform/IniProfile.h"
#include "platform/Regional.h"
#include "settings/Scramble.h"
#include "settings/SettingsFile.h"

#include <string>

namespace {

const SettingKey* const kAllKeys[] = {
    &keys::User,          &keys::Category,    &keys::Currency,
    &keys::Mode,          &keys::IO,          &keys::Request,
    &keys::Password,      &keys::Trans,       &keys::Pay,
    &keys::Curr,          &keys::FromOn,      &keys::From,
    &keys::ToOn,          &keys::To,          &keys::On,
    &keys::ExportPath,    &keys::Header,      &keys::FinanceFormat,
    &keys::FinanceFolder, &keys::FinanceFile, &keys::FinanceShown};

RegionalFormats germanFormats() {
    RegionalFormats f = CFormats();
    f.shortDate = "%d.%m.%Y";
    f.longTime = "%H:%M:%S";
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzWorkspace ws;
    const std::string path = ws.writeScratch("Ledra.ini", data, size);
    const std::string input(reinterpret_cast<const char*>(data), size);

    for (const RegionalFormats& formats : {CFormats(), germanFormats()}) {
        SetRegionalFormats(formats);
        ParseDateTime(input);
        SettingsFile file(path);
        const DateTimeValue today{{2002, 5, 17}, {10, 11, 12}};
        for (const SettingKey* k : kAllKeys) {
            switch (k->form) {
            case ValueForm::Integer:
                file.readInt(*k, 7);
                break;
            case ValueForm::Boolean:
                file.readBool(*k, true);
                break;
            case ValueForm::DateText:
                try {
                    FormatDateTime(file.readDate(*k, today));
                } catch (const std::exception&) {
                    // an unreadable date is reported to the user; nothing else may happen
                }
                break;
            case ValueForm::ScrambledText:
                Unscrambled(file.readText(*k, ""));
                break;
            default:
                ParseDateTime(file.readText(*k, "default"));
                break;
            }
        }
    }

    // A write into the damaged file keeps every other line; it must neither crash nor grow
    // without bound.
    const std::string copy = ws.writeScratch("Ledra-copy.ini", data, size);
    try {
        WriteProfileString("Filter", "Trans", "\"...\"", copy);
        WriteProfileString("New Section", "Key", "value", copy);
        GetProfileString("new section", "KEY", "", copy);
    } catch (const std::exception&) {
    }
    return 0;
}
