#include "platform/AppPaths.h"

#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

TEST(AppPaths, ExecutableDirIsTheFolderOfThisTest) {
    const std::string dir = ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(fs::canonical("/proc/self/exe").parent_path().string() + "/", dir);
}

// Restores an environment variable when the test ends.
class EnvVar {
public:
    explicit EnvVar(const char* name) : name_(name) {
        const char* v = std::getenv(name);
        had_ = v != nullptr;
        old_ = v ? v : "";
    }
    ~EnvVar() {
        if (had_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }
    void set(const std::string& v) { ::setenv(name_, v.c_str(), 1); }
    void unset() { ::unsetenv(name_); }

private:
    const char* name_;
    bool had_;
    std::string old_;
};

TEST(AppPaths, SettingsBesideTheExecutableWhenThatFolderIsWritable) {
    TempDir dir;
    EXPECT_EQ(SettingsPathFor(dir.path() + "/"), dir.path() + "/Ledra.ini");
}

TEST(AppPaths, ElseInTheConfigFolderCreatedOnDemand) {
    TempDir dir;
    const std::string exeDir = dir.file("bin/");
    fs::create_directory(exeDir);
    ::chmod(exeDir.c_str(), 0555);
    EnvVar xdg("XDG_CONFIG_HOME"), home("HOME");

    xdg.set(dir.file("cfg"));
    EXPECT_EQ(SettingsPathFor(exeDir), dir.file("cfg/ledra/Ledra.ini"));
    EXPECT_TRUE(fs::is_directory(dir.file("cfg/ledra")));

    xdg.unset();
    home.set(dir.file("home"));
    EXPECT_EQ(SettingsPathFor(exeDir), dir.file("home/.config/ledra/Ledra.ini"));
    EXPECT_TRUE(fs::is_directory(dir.file("home/.config/ledra")));

    xdg.set("relative/cfg"); // not absolute: ignored
    EXPECT_EQ(SettingsPathFor(exeDir), dir.file("home/.config/ledra/Ledra.ini"));

    EXPECT_EQ(SettingsPathFor(dir.file("missing/")), dir.file("home/.config/ledra/Ledra.ini"));
    ::chmod(exeDir.c_str(), 0755);
}

// An installed copy keeps its settings per user even in a writable PREFIX/bin/; a build folder
// or a bin/ without the installed desktop entry beside it keeps them beside the executable.
TEST(AppPaths, InstalledCopySettingsArePerUserEvenInAWritableFolder) {
    TempDir dir;
    EnvVar xdg("XDG_CONFIG_HOME");
    xdg.set(dir.file("cfg"));
    const std::string bin = dir.file("usr/bin/");
    fs::create_directories(bin);
    fs::create_directories(dir.file("usr/share/applications"));

    EXPECT_FALSE(IsInstalledCopy(bin));
    EXPECT_EQ(SettingsPathFor(bin), bin + "Ledra.ini");

    std::ofstream(dir.file("usr/share/applications/ledra.desktop")) << "[Desktop Entry]\n";
    EXPECT_TRUE(IsInstalledCopy(bin));
    EXPECT_EQ(SettingsPathFor(bin), dir.file("cfg/ledra/Ledra.ini"));

    // An executable in a folder of another name beside the same share/ is a build's.
    fs::create_directories(dir.file("usr/app"));
    EXPECT_FALSE(IsInstalledCopy(dir.file("usr/app/")));
    EXPECT_EQ(SettingsPathFor(dir.file("usr/app/")), dir.file("usr/app/Ledra.ini"));
    // A folder named like the entry is no entry.
    fs::remove(dir.file("usr/share/applications/ledra.desktop"));
    fs::create_directory(dir.file("usr/share/applications/ledra.desktop"));
    EXPECT_FALSE(IsInstalledCopy(bin));
}

TEST(AppPaths, OverrideForTests) {
    SetSettingsPathOverride("/somewhere/Test.ini");
    EXPECT_EQ(SettingsPath(), "/somewhere/Test.ini");
    SetSettingsPathOverride("");
    EXPECT_EQ(SettingsPath(), SettingsPathFor(ExecutableDir()));
}

} // namespace
