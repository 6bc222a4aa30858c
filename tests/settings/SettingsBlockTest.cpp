#include "settings/SettingsBlock.h"
#include "platform/AppPaths.h"
#include "platform/IniProfile.h"
#include "platform/LedraError.h"

#include "TempDir.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// The twelve keys bound to plain values instead of controls: the block's rules without a
// widget.
class SettingsBlockTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("Ledra.ini");
    SettingsFile file{path};
    SettingsBlock block;
    std::map<std::string, SettingValue> held;
    int owner = 0;

    void SetUp() override {
        SetRegionalFormats(CFormats());
        for (const SettingKey* k : SettingsBlock::kKeys) {
            const std::string name = k->key;
            block.bind(
                *k, &owner, [this, name] { return held.at(name); },
                [this, name](const SettingValue& v) { held[name] = v; });
        }
    }
    void TearDown() override { SetRegionalFormats(CFormats()); }

    std::string ini(const char* section, const char* key) const {
        return GetProfileString(section, key, "<absent>", path);
    }
    void setIni(const char* section, const char* key, const std::string& value) const {
        WriteProfileString(section, key, value, path);
    }
};

TEST_F(SettingsBlockTest, DefaultsComeFromTheKeys) {
    block.load(file);
    EXPECT_EQ(std::get<bool>(held.at("Request")), false);
    EXPECT_EQ(std::get<std::string>(held.at("Password")), "");
    EXPECT_EQ(std::get<std::string>(held.at("Trans")), "...");
    EXPECT_EQ(std::get<bool>(held.at("On")), false);
    EXPECT_EQ(std::get<bool>(held.at("Header")), true);
    EXPECT_EQ(std::get<std::string>(held.at("Path")), ExecutableDir() + "out.CSV");
    EXPECT_TRUE(std::get<DateTimeValue>(held.at("From")).day.isValid());
}

TEST_F(SettingsBlockTest, SaveQuotesByValueFormAndPutsEachBoxBeforeItsDate) {
    block.load(file);
    held["Trans"] = std::string("Food");
    held["From"] = DateTimeValue{{2002, 3, 1}, {12, 0, 0}};
    block.save(file);
    EXPECT_EQ(ini("Filter", "Trans"), "Food"); // the file's reader drops the quotes
    const std::string bytes = ReadFileBytes(path);
    EXPECT_NE(bytes.find("Trans=\"Food\""), std::string::npos);
    EXPECT_EQ(ini("Filter", "From"), "03/01/2002 12:00:00");
    EXPECT_LT(bytes.find("FromOn="), bytes.find("From="));
    EXPECT_LT(bytes.find("ToOn="), bytes.find("To="));
}

// An unreadable date stops the load; the keys after it keep their older values and are left
// alone in the file by the next save, while the date itself is written in the present format.
TEST_F(SettingsBlockTest, PartialLoadRule) {
    block.load(file);
    setIni("Filter", "Trans", "\"Food\"");
    setIni("Filter", "From", "not a date");
    setIni("Filter", "FromOn", "1");
    setIni("Filter", "On", "1");
    EXPECT_THROW(block.load(file), LedraError);
    EXPECT_EQ(std::get<std::string>(held.at("Trans")), "Food");
    EXPECT_EQ(std::get<bool>(held.at("FromOn")), false);
    EXPECT_EQ(std::get<bool>(held.at("On")), false);
    const auto& unread = block.unreadKeys();
    for (std::size_t i = 0; i < SettingsBlock::kKeyCount; ++i)
        EXPECT_EQ(unread[i], i > SettingsBlock::indexOf(keys::From))
            << SettingsBlock::kKeys[i]->key;

    block.save(file);
    EXPECT_EQ(ini("Filter", "FromOn"), "1");
    EXPECT_EQ(ini("Filter", "On"), "1");
    EXPECT_NE(ini("Filter", "From"), "not a date");

    block.load(file);
    EXPECT_EQ(std::get<bool>(held.at("On")), true);
    for (bool u : block.unreadKeys())
        EXPECT_FALSE(u);
}

TEST_F(SettingsBlockTest, UnboundKeysAreNeitherReadNorWritten) {
    block.unbind(&owner);
    setIni("Filter", "Trans", "\"Food\"");
    block.load(file);
    EXPECT_TRUE(held.empty());
    block.save(file);
    EXPECT_EQ(ini("Filter", "Trans"), "Food");
    EXPECT_EQ(ini("Password", "Request"), "<absent>");
}

TEST(SettingsBlockTable, LoadAndSaveOrdersHoldEveryKeyOnce) {
    std::array<int, SettingsBlock::kKeyCount> seen{};
    for (std::size_t i : SettingsBlock::kSaveOrder)
        ++seen.at(i);
    for (int n : seen)
        EXPECT_EQ(n, 1);
    EXPECT_EQ(SettingsBlock::indexOf(keys::User), SettingsBlock::kKeyCount);
}

} // namespace
