#include "settings/SettingsFile.h"
#include "platform/AppPaths.h"
#include "platform/LedraError.h"

#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace {

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ParseIniInteger, Forms) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"2", 2},
        {"-5", -5},
        {"+5", 5},
        {"007", 7},
        {"0x2", 2},
        {"0X1f", 31},
        {"-0x5", -5},
        {" 7 ", 7},
        {"\t3", 3},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"0x7FFFFFFF", 2147483647},
        {"-0x80000000", -2147483647 - 1},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"-", std::nullopt},
        {"--5", std::nullopt},
        {"0x", std::nullopt},
        {"0xG", std::nullopt},
        {"0x-5", std::nullopt},
        {"1.5", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"0x80000000", std::nullopt},
        {"0xFFFFFFFF", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        int v = 12345;
        const bool ok = ParseIniInteger(c.text, v);
        EXPECT_EQ(ok, c.value.has_value()) << "'" << c.text << "'";
        if (ok && c.value) {
            EXPECT_EQ(v, *c.value) << "'" << c.text << "'";
        }
        if (!ok) {
            EXPECT_EQ(v, 12345) << "'" << c.text << "' must leave the value alone";
        }
    }
}

class Settings : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("Ledra.ini");
    SettingsFile file{path};
    void SetUp() override { SetRegionalFormats(CFormats()); }
    void TearDown() override { SetRegionalFormats(CFormats()); }
};

TEST_F(Settings, NoFileGivesTheDefaults) {
    EXPECT_EQ(file.readText(keys::User), "");
    EXPECT_EQ(file.readText(keys::Category), "All");
    EXPECT_EQ(file.readText(keys::Trans), "...");
    EXPECT_EQ(file.readText(keys::Currency, "EUR"), "EUR");
    EXPECT_EQ(file.readText(keys::Password), "");
    EXPECT_EQ(file.readInt(keys::Mode, 0), 0);
    EXPECT_EQ(file.readInt(keys::IO, 2), 2);
    EXPECT_FALSE(file.readBool(keys::Request, false));
    EXPECT_TRUE(file.readBool(keys::Header, true));
    EXPECT_EQ(file.readInt(keys::Mode), 0);
    EXPECT_EQ(file.readInt(keys::IO), 2);
    EXPECT_FALSE(file.readBool(keys::Request));
    EXPECT_FALSE(file.readBool(keys::On));
    EXPECT_TRUE(file.readBool(keys::Header));
    const DateTimeValue today{{2002, 5, 17}, {}};
    EXPECT_EQ(file.readDate(keys::From, today).day, today.day);
}

TEST_F(Settings, ValueForms) {
    writeBytes(path, "[Money]\r\nMode=0x2\r\nIO=abc\r\nCategory=Food \r\n"
                     "[Password]\r\nRequest=2\r\n"
                     "[Filter]\r\nTrans=\r\nPay=\" Cash \"\r\nOn=\r\nFromOn=-1\r\nToOn=yes\r\n"
                     "[Export]\r\nHeader=0\r\n");
    EXPECT_EQ(file.readInt(keys::Mode, 0), 2);
    EXPECT_EQ(file.readInt(keys::IO, 2), 2);
    EXPECT_EQ(file.readText(keys::Category), "Food");
    EXPECT_TRUE(file.readBool(keys::Request, false));
    EXPECT_EQ(file.readText(keys::Trans), "") << "present but empty is not the default";
    EXPECT_EQ(file.readText(keys::Pay), " Cash ");
    EXPECT_TRUE(file.readBool(keys::On, true)) << "empty value: the default";
    EXPECT_FALSE(file.readBool(keys::On, false));
    EXPECT_TRUE(file.readBool(keys::FromOn, false));
    EXPECT_FALSE(file.readBool(keys::ToOn, false)) << "no integer: the default";
    EXPECT_FALSE(file.readBool(keys::Header, true));
}

TEST_F(Settings, WrittenValuesComeBack) {
    file.writeQuoted(keys::Trans, " Food, drinks ");
    file.writeQuoted(keys::Curr, "...");
    file.writeText(keys::User, "Bob ");
    file.writeInt(keys::Mode, -3);
    file.writeBool(keys::Header, false);
    file.writeBool(keys::Request, true);
    EXPECT_EQ(file.readText(keys::Trans), " Food, drinks ");
    EXPECT_EQ(file.readText(keys::Curr), "...");
    EXPECT_EQ(file.readText(keys::User), "Bob") << "text loses its blanks at both ends";
    EXPECT_EQ(file.readInt(keys::Mode, 0), -3);
    EXPECT_FALSE(file.readBool(keys::Header, true));
    EXPECT_TRUE(file.readBool(keys::Request, false));
    EXPECT_EQ(ReadFileBytes(path), "[Filter]\r\nTrans=\" Food, drinks \"\r\nCurr=\"...\"\r\n"
                                   "[Users]\r\nUser=Bob \r\n[Money]\r\nMode=-3\r\n"
                                   "[Export]\r\nHeader=0\r\n[Password]\r\nRequest=1\r\n");
}

// The block that the Options, filter and export dialogs save, into a new file.
TEST_F(Settings, FirstSaveCreatesOnlyTheSectionsItWrites) {
    const DateTimeValue from{{2002, 3, 1}, {9, 30, 0}}, to{{2031, 12, 31}, {0, 0, 0}};
    file.writeBool(keys::Request, false);
    file.writeText(keys::Password, "");
    file.writeQuoted(keys::Trans, "...");
    file.writeQuoted(keys::Pay, "...");
    file.writeQuoted(keys::Curr, "...");
    file.writeBool(keys::FromOn, true);
    file.writeDate(keys::From, from);
    file.writeBool(keys::ToOn, false);
    file.writeDate(keys::To, to);
    file.writeBool(keys::On, false);
    file.writeText(keys::ExportPath, "/home/u/out.CSV");
    file.writeBool(keys::Header, true);
    EXPECT_EQ(ReadFileBytes(path), "[Password]\r\nRequest=0\r\nPassword=\r\n"
                                   "[Filter]\r\nTrans=\"...\"\r\nPay=\"...\"\r\nCurr=\"...\"\r\n"
                                   "FromOn=1\r\nFrom=03/01/2002 09:30:00\r\nToOn=0\r\n"
                                   "To=12/31/2031\r\nOn=0\r\n"
                                   "[Export]\r\nPath=/home/u/out.CSV\r\nHeader=1\r\n");
    EXPECT_EQ(file.readDate(keys::From, to).day, from.day);
    EXPECT_EQ(file.readDate(keys::From, to).time, from.time);
    EXPECT_EQ(file.readDate(keys::To, from).day, to.day);
}

void expectDateError(const SettingsFile& file, const std::string& text) {
    try {
        file.readDate(keys::From, {});
        ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const LedraError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid date and time");
    }
}

TEST_F(Settings, DatesOfOtherFormatsAreErrorsUntilSavedAgain) {
    RegionalFormats german = CFormats();
    german.shortDate = "%d.%m.%Y";
    SetRegionalFormats(german);
    file.writeDate(keys::From, {{2002, 3, 1}, {10, 0, 0}});
    SetRegionalFormats(CFormats());
    expectDateError(file, "01.03.2002 10:00:00");
    file.writeDate(keys::From, {{2002, 3, 1}, {10, 0, 0}});
    EXPECT_EQ(file.readDate(keys::From, {}).day, (CalendarDay{2002, 3, 1}));

    writeBytes(path, "[Filter]\r\nFrom=\r\nTo=02/30/2002\r\n");
    expectDateError(file, "");
    writeBytes(path, "[Filter]\r\nFrom=02/30/2002\r\n");
    expectDateError(file, "02/30/2002");
}

TEST_F(Settings, RefusedWriteIsAnError) {
    const SettingsFile nowhere(dir.file("missing/Ledra.ini"));
    try {
        nowhere.writeBool(keys::On, true);
        FAIL() << "no error";
    } catch (const LedraError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir.file("missing/Ledra.ini"));
    }
}

TEST_F(Settings, DefaultPathIsTheSettingsPath) {
    SetSettingsPathOverride(path);
    EXPECT_EQ(SettingsFile().path(), path);
    SetSettingsPathOverride("");
    EXPECT_EQ(SettingsFile().path(), SettingsPath());
}

TEST(SettingsKeys, EveryKeyOnceInOneOfTheFiveSections) {
    const SettingKey* all[] = {&keys::User,  &keys::Category, &keys::Currency, &keys::Mode,
                               &keys::IO,    &keys::Request,  &keys::Password, &keys::Trans,
                               &keys::Pay,   &keys::Curr,     &keys::FromOn,   &keys::From,
                               &keys::ToOn,  &keys::To,       &keys::On,       &keys::ExportPath,
                               &keys::Header};
    const std::set<std::string> sections{"Users", "Money", "Password", "Filter", "Export"};
    std::set<std::string> seen;
    for (const SettingKey* k : all) {
        EXPECT_TRUE(sections.count(k->section)) << k->section;
        EXPECT_TRUE(seen.insert(std::string(k->section) + "/" + k->key).second) << k->key;
        int v = 0;
        if (k->defaultValue && (k->form == ValueForm::Integer || k->form == ValueForm::Boolean)) {
            EXPECT_TRUE(ParseIniInteger(k->defaultValue, v)) << k->key;
        }
    }
}

} // namespace
