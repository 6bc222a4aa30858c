#include "platform/UserDirectory.h"

#include "TempDir.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The users as the main window collects them: count, then id and name for each index.
std::vector<std::string> listUsers() {
    std::vector<std::string> names;
    const std::int16_t count = userdir::UserCount();
    for (std::int16_t i = 0; i < count; ++i) {
        std::uint32_t id = 0;
        if (!userdir::UserId(i, &id))
            continue;
        EXPECT_NE(id, 0u);
        char name[256];
        std::int16_t size = 256;
        if (userdir::UserName(id, name, &size))
            names.emplace_back(name);
    }
    return names;
}

void touch(const std::string& path) {
    std::ofstream(path) << "x";
}

class UserDirectory : public ::testing::Test {
protected:
    TempDir dir;
    std::string root() const { return dir.path() + "/"; }
    void SetUp() override { userdir::SetRootOverride(dir.path()); }
    void TearDown() override { userdir::SetRootOverride(""); }
    void user(const std::string& name, const std::string& backup = "BACKUP") {
        fs::create_directories(dir.file(name + "/" + backup));
    }
};

TEST_F(UserDirectory, UsersAreFoldersWithABackupFolderInByteOrder) {
    user("Zoe");
    user("anna", "Backup");
    user("Bob", "backup");
    user("\xE9mile");
    fs::create_directories(dir.file("NoBackup/Other"));
    fs::create_directories(dir.file("FileBackup"));
    touch(dir.file("FileBackup/BACKUP"));
    touch(dir.file("plainfile"));
    EXPECT_EQ(listUsers(), (std::vector<std::string>{"Bob", "Zoe", "anna", "\xE9mile"}));
}

TEST_F(UserDirectory, EmptyOrMissingRoot) {
    EXPECT_EQ(userdir::UserCount(), 0);
    userdir::SetRootOverride(dir.file("missing"));
    EXPECT_EQ(userdir::UserCount(), 0);
    std::uint32_t id = 7;
    EXPECT_EQ(userdir::UserId(0, &id), 0);
    char name[256] = "junk";
    std::int16_t size = 256;
    EXPECT_EQ(userdir::UserName(1, name, &size), 0);
    EXPECT_STREQ(name, "");
}

TEST_F(UserDirectory, BadIndexesAndIds) {
    user("Bob");
    ASSERT_EQ(userdir::UserCount(), 1);
    std::uint32_t id = 0;
    EXPECT_EQ(userdir::UserId(-1, &id), 0);
    EXPECT_EQ(userdir::UserId(1, &id), 0);
    EXPECT_EQ(userdir::UserId(0, nullptr), 0);
    char name[256];
    std::int16_t size = 256;
    EXPECT_EQ(userdir::UserName(0, name, &size), 0);
    EXPECT_EQ(userdir::UserName(2, name, &size), 0);
    EXPECT_EQ(userdir::UserName(1, nullptr, &size), 0);
    EXPECT_EQ(userdir::UserName(1, name, nullptr), 0);
}

TEST_F(UserDirectory, NamesThatDoNotFitAreRefusedWithoutOverflow) {
    const std::string longest(255, 'a');
    user(longest);
    user("Bob");
    ASSERT_EQ(userdir::UserCount(), 2);
    std::uint32_t id = 0;
    ASSERT_TRUE(userdir::UserId(1, &id));
    char buffer[300];
    std::memset(buffer, 'Z', sizeof buffer);
    std::int16_t size = 256;
    ASSERT_TRUE(userdir::UserName(id, buffer, &size));
    EXPECT_EQ(std::string(buffer), longest);

    // A small buffer: refused, an empty text, nothing written past it.
    ASSERT_TRUE(userdir::UserId(0, &id));
    std::memset(buffer, 'Z', sizeof buffer);
    size = 3;
    EXPECT_EQ(userdir::UserName(id, buffer, &size), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[3], 'Z');
    size = 4;
    EXPECT_TRUE(userdir::UserName(id, buffer, &size));
    EXPECT_STREQ(buffer, "Bob");

    // A name of 256 bytes cannot exist on most file systems; a 255-byte name in a 255-byte
    // buffer stands in for it.
    ASSERT_TRUE(userdir::UserId(1, &id));
    std::memset(buffer, 'Z', sizeof buffer);
    size = 255;
    EXPECT_EQ(userdir::UserName(id, buffer, &size), 0);
    EXPECT_EQ(buffer[255], 'Z');
    EXPECT_EQ(listUsers().size(), 2u);
}

TEST_F(UserDirectory, RootDirectoryEndsWithSeparatorAndNeverOverflows) {
    char buffer[260];
    std::int16_t size = 256;
    ASSERT_TRUE(userdir::RootDirectory(buffer, &size));
    EXPECT_EQ(std::string(buffer), root());

    userdir::SetRootOverride(root()); // already with its separator: not doubled
    size = 256;
    ASSERT_TRUE(userdir::RootDirectory(buffer, &size));
    EXPECT_EQ(std::string(buffer), root());

    std::memset(buffer, 'Z', sizeof buffer);
    size = static_cast<std::int16_t>(root().size()); // no room for the zero byte
    EXPECT_EQ(userdir::RootDirectory(buffer, &size), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[root().size()], 'Z');
}

TEST_F(UserDirectory, RootFromTheEnvironment) {
    userdir::SetRootOverride("");
    const char* oldRoot = std::getenv("LEDRA_DATA_ROOT");
    const std::string savedRoot = oldRoot ? oldRoot : "";
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    char buffer[260];
    std::int16_t size = 256;

    ::setenv("LEDRA_DATA_ROOT", "/data/palm", 1);
    userdir::RootDirectory(buffer, &size);
    EXPECT_STREQ(buffer, "/data/palm/");

    ::unsetenv("LEDRA_DATA_ROOT");
    ::setenv("HOME", "/home/someone", 1);
    size = 256;
    userdir::RootDirectory(buffer, &size);
    EXPECT_STREQ(buffer, "/home/someone/Palm/");

    if (oldRoot)
        ::setenv("LEDRA_DATA_ROOT", savedRoot.c_str(), 1);
    if (oldHome)
        ::setenv("HOME", savedHome.c_str(), 1);
    else
        ::unsetenv("HOME");
}

TEST_F(UserDirectory, DatabasePathsMatchLetterCaseOnDisk) {
    user("Bob", "Backup");
    touch(dir.file("Bob/Backup/Ledra_Money.pdb"));
    touch(dir.file("Bob/Backup/LEDRA_PAYMENT.PDB"));
    touch(dir.file("Bob/Backup/Ledra_Currency.PDB"));
    const DatabasePaths p = DatabasePathsFor(root(), "Bob");
    EXPECT_EQ(p.money, root() + "Bob/Backup/Ledra_Money.pdb");
    EXPECT_EQ(p.payment, root() + "Bob/Backup/LEDRA_PAYMENT.PDB");
    EXPECT_EQ(p.currency, root() + "Bob/Backup/Ledra_Currency.PDB");
    EXPECT_EQ(p.types, root() + "Bob/BACKUP/Ledra_Types.PDB") << "missing: left as built";
}

TEST_F(UserDirectory, ExactNameWinsOverOtherCaseVariants) {
    user("Bob", "backup");
    user("Bob", "BACKUP");
    user("Bob", "Backup");
    touch(dir.file("Bob/backup/Ledra_Money.PDB"));
    touch(dir.file("Bob/Backup/ledra_money.pdb"));
    touch(dir.file("Bob/Backup/Ledra_Money.pdb"));
    // "BACKUP" exists exactly, but without the file: the path stays as built.
    EXPECT_EQ(DatabasePathsFor(root(), "Bob").money, root() + "Bob/BACKUP/Ledra_Money.PDB");
    fs::remove(dir.file("Bob/BACKUP"));
    // Otherwise the first variant in byte order: "Backup" before "backup", then
    // "Ledra_Money.pdb" before "ledra_money.pdb".
    EXPECT_EQ(DatabasePathsFor(root(), "Bob").money, root() + "Bob/Backup/Ledra_Money.pdb");
    // The user's folder itself in another case, and a root that is given without a separator
    // joins the name with no separator, as the main window does.
    EXPECT_EQ(DatabasePathsFor(root(), "BOB").money, root() + "Bob/Backup/Ledra_Money.pdb");
    EXPECT_EQ(DatabasePathsFor(dir.path(), "Bob").money, dir.path() + "Bob/BACKUP/Ledra_Money.PDB");
}

// The root as the main window asks for it.
std::string rootDirectory() {
    char buffer[260];
    std::int16_t size = 256;
    return userdir::RootDirectory(buffer, &size) ? buffer : "<failed>";
}

// Restores an environment variable when the test ends.
struct EnvVar {
    const char* name;
    bool had;
    std::string old;
    explicit EnvVar(const char* n) : name(n), had(std::getenv(n) != nullptr) {
        if (had)
            old = std::getenv(n);
    }
    ~EnvVar() {
        if (had)
            ::setenv(name, old.c_str(), 1);
        else
            ::unsetenv(name);
    }
};

// What people have: a desktop data root, one user's folder, the user's BACKUP folder, or a flat
// folder of backup files as sync tools leave it. Each gives its users, a root to which the
// name is joined, and paths that reach the files.
TEST_F(UserDirectory, ThreeFolderKinds) {
    user("Anna Berg", "Backup");
    touch(dir.file("Anna Berg/Backup/Ledra_Money.pdb"));
    user("Bob");
    fs::create_directories(dir.file("sync/palm"));
    touch(dir.file("sync/palm/LEDRA_MONEY.PDB"));
    touch(dir.file("sync/palm/Ledra_Types.PDB"));
    fs::create_directories(dir.file("sync/notes"));
    touch(dir.file("sync/notes/readme.txt"));

    struct Case {
        std::string folder;
        std::vector<std::string> users;
        std::string root;
        std::string money; // the money path of the first user
    };
    const Case cases[] = {
        {dir.path(), {"Anna Berg", "Bob"}, root(), root() + "Anna Berg/Backup/Ledra_Money.pdb"},
        {dir.file("Anna Berg"), {"Anna Berg"}, root(), root() + "Anna Berg/Backup/Ledra_Money.pdb"},
        {dir.file("Anna Berg/Backup/"),
         {"Anna Berg"},
         root(),
         root() + "Anna Berg/Backup/Ledra_Money.pdb"},
        // A BACKUP folder without the files is still its user's: the open names them missing.
        {dir.file("Bob/BACKUP"), {"Bob"}, root(), root() + "Bob/BACKUP/Ledra_Money.PDB"},
        {dir.file("sync/palm"), {"palm"}, dir.file("sync/"), dir.file("sync/palm/LEDRA_MONEY.PDB")},
        {dir.file("sync/notes"), {}, dir.file("sync/notes/"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        userdir::SetRootOverride(c.folder);
        EXPECT_EQ(listUsers(), c.users);
        EXPECT_EQ(rootDirectory(), c.root);
        EXPECT_EQ(userdir::SearchedFolder().back(), '/');
        if (!c.users.empty()) {
            const DatabasePaths p = DatabasePathsFor(rootDirectory(), c.users.front());
            EXPECT_EQ(p.money, c.money);
            EXPECT_EQ(DatabaseFolder(p), c.money.substr(0, c.money.rfind('/') + 1));
        }
    }
    // A flat folder's missing file is named in that folder.
    EXPECT_EQ(DatabasePathsFor(dir.file("sync/"), "palm").currency,
              dir.file("sync/palm/Ledra_Currency.PDB"));
}

// The chosen folder: searched from then on in the run, remembered for the next runs, where
// $LEDRA_DATA_ROOT, when set, still wins.
TEST_F(UserDirectory, ChosenFolderIsRememberedAndTheEnvironmentStillWins) {
    EnvVar xdg("XDG_CONFIG_HOME"), env("LEDRA_DATA_ROOT");
    ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    ::unsetenv("LEDRA_DATA_ROOT");
    user("Bob");
    std::string problem;
    ASSERT_TRUE(userdir::ChooseFolder(dir.file("Bob"), problem)) << problem;
    EXPECT_EQ(userdir::RememberedFolderFile(), dir.file("config/ledra/backup-folder"));
    EXPECT_EQ(userdir::SearchedFolder(), dir.file("Bob/")); // beats the override in this run
    EXPECT_EQ(listUsers(), std::vector<std::string>{"Bob"});

    // A new run: the remembered folder, unless an override or the environment says otherwise.
    userdir::ForgetRunChoice();
    EXPECT_EQ(userdir::SearchedFolder(), root());
    userdir::SetRootOverride("");
    EXPECT_EQ(userdir::SearchedFolder(), dir.file("Bob/"));
    ::setenv("LEDRA_DATA_ROOT", "/data/palm", 1);
    EXPECT_EQ(userdir::SearchedFolder(), "/data/palm/");
    // A choice made in that run wins over the environment.
    ASSERT_TRUE(userdir::ChooseFolder(dir.path(), problem));
    EXPECT_EQ(userdir::SearchedFolder(), root());
    userdir::ForgetRunChoice();
}

TEST_F(UserDirectory, ChoiceThatCannotBeRememberedStillHoldsForTheRun) {
    EnvVar xdg("XDG_CONFIG_HOME");
    fs::create_directories(dir.file("config/ledra"));
    fs::permissions(dir.file("config/ledra"), fs::perms::owner_read | fs::perms::owner_exec);
    ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    std::string problem;
    EXPECT_FALSE(userdir::ChooseFolder(dir.file("elsewhere"), problem));
    EXPECT_EQ(problem.rfind("Unable to write to " + dir.file("config/ledra/backup-folder"), 0), 0u)
        << problem;
    EXPECT_EQ(userdir::SearchedFolder(), dir.file("elsewhere/"));
    userdir::ForgetRunChoice();
    fs::permissions(dir.file("config/ledra"), fs::perms::owner_all);
}

TEST(ResolvePathIgnoringCase, RelativeAndOddPaths) {
    TempDir dir;
    fs::create_directories(dir.file("A/b"));
    EXPECT_EQ(ResolvePathIgnoringCase(dir.path() + "/a/B"), dir.path() + "/A/b");
    EXPECT_EQ(ResolvePathIgnoringCase(dir.path() + "//a/./B/"), dir.path() + "//A/./b/");
    EXPECT_EQ(ResolvePathIgnoringCase(dir.path() + "/a/x/B"), dir.path() + "/a/x/B");
    EXPECT_EQ(ResolvePathIgnoringCase(""), "");
    const fs::path old = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_EQ(ResolvePathIgnoringCase("a/B"), "A/b");
    fs::current_path(old);
}

} // namespace
