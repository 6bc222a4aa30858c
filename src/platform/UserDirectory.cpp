#include "platform/UserDirectory.h"

#include "platform/AppPaths.h"
#include "platform/AtomicFile.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The entries of a folder (without "." and ".."), in byte order.
std::vector<std::string> entries(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return names;
    while (const dirent* e = ::readdir(d)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            names.emplace_back(e->d_name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string& rootOverride() {
    static std::string root;
    return root;
}

std::string& runChoice() {
    static std::string folder;
    return folder;
}

std::string withSeparator(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    std::string h = home && *home ? home : "";
    if (h.empty())
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            h = pw->pw_dir;
    return h;
}

// The remembered folder: the file's first line, or empty text.
std::string rememberedFolder() {
    std::ifstream in(userdir::RememberedFolderFile(), std::ios::binary);
    std::string line;
    if (in)
        std::getline(in, line);
    return line;
}

std::string searchedFolder() {
    if (!runChoice().empty())
        return withSeparator(runChoice());
    if (!rootOverride().empty())
        return withSeparator(rootOverride());
    if (const char* env = std::getenv("LEDRA_DATA_ROOT"); env && *env)
        return withSeparator(env);
    if (const std::string remembered = rememberedFolder(); !remembered.empty())
        return withSeparator(remembered);
    return withSeparator(homeFolder()) + "Palm/";
}

const char* const kDatabaseFiles[] = {"Ledra_Money.PDB", "Ledra_Payment.PDB", "Ledra_Currency.PDB",
                                      "Ledra_Types.PDB"};

bool holdsDatabaseFile(const std::vector<std::string>& names) {
    return std::any_of(names.begin(), names.end(), [](const std::string& n) {
        return std::any_of(std::begin(kDatabaseFiles), std::end(kDatabaseFiles),
                           [&](const char* f) { return ansi::equalsIgnoringAsciiCase(n, f); });
    });
}

bool holdsBackupFolder(const std::string& folder, const std::vector<std::string>& names) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) {
        return ansi::equalsIgnoringAsciiCase(n, "BACKUP") && isFolder(folder + n);
    });
}

// "/a/b/c/" -> {"/a/b/", "c"}; no parent for "/" or a relative name without a slash.
bool splitLast(const std::string& folder, std::string& parent, std::string& leaf) {
    std::string f = folder;
    while (f.size() > 1 && f.back() == '/')
        f.pop_back();
    const std::size_t slash = f.rfind('/');
    if (slash == std::string::npos || slash + 1 >= f.size())
        return false;
    parent = f.substr(0, slash + 1);
    leaf = f.substr(slash + 1);
    return true;
}

// What the searched folder is: the root the users' names are joined to, and the one user when
// the folder is a single user's.
struct Layout {
    std::string root;
    bool singleUser = false;
    std::string user;
};

Layout layoutOf(const std::string& folder) {
    Layout l{folder, false, {}};
    const std::vector<std::string> names = entries(folder);
    std::string parent, leaf;
    if (!splitLast(folder, parent, leaf))
        return l;
    // A BACKUP folder is its parent's, with or without the files (the open then names the
    // missing ones); another folder that holds the files is a flat backup folder.
    if (ansi::equalsIgnoringAsciiCase(leaf, "BACKUP")) {
        std::string grand, user;
        if (!splitLast(parent, grand, user))
            return l;
        return {grand, true, user};
    }
    if (holdsDatabaseFile(names))
        return {parent, true, leaf};
    if (holdsBackupFolder(folder, names))
        return {parent, true, leaf};
    return l;
}

// The users found by the last count; the id of a user is its index plus one.
std::vector<std::string>& users() {
    static std::vector<std::string> list;
    return list;
}

void scanUsers() {
    std::vector<std::string>& list = users();
    list.clear();
    const Layout layout = layoutOf(searchedFolder());
    if (layout.singleUser) {
        list.push_back(layout.user);
        return;
    }
    const std::string& root = layout.root;
    for (const std::string& name : entries(root)) {
        const std::string folder = root + name + "/";
        if (!isFolder(folder))
            continue;
        if (holdsBackupFolder(folder, entries(folder)))
            list.push_back(name);
        if (list.size() == 32767)
            break; // what a 16-bit count can tell
    }
}

// Copies `text` with its terminating zero into `buffer` of `size` bytes; false (and an empty
// text where there is room for one) when it does not fit.
int copyOut(const std::string& text, char* buffer, std::int16_t* size) {
    if (!buffer || !size || *size <= 0)
        return 0;
    if (text.size() + 1 > static_cast<std::size_t>(*size)) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 1;
}

} // namespace

namespace userdir {

std::int16_t UserCount() {
    scanUsers();
    return static_cast<std::int16_t>(users().size());
}

int UserId(std::int16_t index, std::uint32_t* id) {
    if (!id)
        return 0;
    if (users().empty())
        scanUsers();
    if (index < 0 || static_cast<std::size_t>(index) >= users().size())
        return 0;
    *id = static_cast<std::uint32_t>(index) + 1;
    return 1;
}

int UserName(std::uint32_t id, char* buffer, std::int16_t* size) {
    if (id == 0 || id > users().size()) {
        if (buffer && size && *size > 0)
            buffer[0] = '\0';
        return 0;
    }
    return copyOut(users()[id - 1], buffer, size);
}

int RootDirectory(char* buffer, std::int16_t* size) {
    return copyOut(layoutOf(searchedFolder()).root, buffer, size);
}

void SetRootOverride(const std::string& root) {
    rootOverride() = root;
}

std::vector<std::string> UserNames() {
    std::vector<std::string> names;
    const std::int16_t count = UserCount();
    for (std::int16_t i = 0; i < count; ++i) {
        std::uint32_t id = 0;
        if (!UserId(i, &id))
            continue;
        char name[256]{};
        std::int16_t size = sizeof name;
        if (!UserName(id, name, &size))
            continue;
        name[sizeof name - 1] = '\0';
        names.emplace_back(name);
    }
    return names;
}

std::string RootOverride() {
    return rootOverride();
}

std::string SearchedFolder() {
    return searchedFolder();
}

std::string RememberedFolderFile() {
    return ConfigFolder() + "backup-folder";
}

bool ChooseFolder(const std::string& folder, std::string& problem) {
    runChoice() = folder;
    const std::string file = RememberedFolderFile();
    MakeFolders(ConfigFolder());
    int error = 0;
    if (ReplaceFileContents(file, folder + "\n", &error))
        return true;
    problem = "Unable to write to " + file + ".\n" + SystemReason(error);
    return false;
}

void ForgetRunChoice() {
    runChoice().clear();
}

} // namespace userdir

std::string ResolvePathIgnoringCase(const std::string& path) {
    std::string resolved = path.empty() || path.front() != '/' ? std::string() : std::string("/");
    std::size_t pos = resolved.size();
    while (pos <= path.size()) {
        std::size_t slash = path.find('/', pos);
        if (slash == std::string::npos)
            slash = path.size();
        const std::string part = path.substr(pos, slash - pos);
        const bool last = slash == path.size();
        std::string found = part;
        if (!part.empty() && part != "." && part != "..") {
            struct stat st {};
            if (::lstat((resolved + part).c_str(), &st) != 0) {
                const std::vector<std::string> names = entries(resolved);
                const auto it = std::find_if(names.begin(), names.end(), [&](const auto& n) {
                    return ansi::equalsIgnoringAsciiCase(n, part);
                });
                if (it == names.end())
                    return path;
                found = *it;
            }
        }
        resolved += found;
        if (last)
            break;
        resolved += '/';
        pos = slash + 1;
    }
    return resolved;
}

DatabasePaths DatabasePathsFor(const std::string& rootDir, const std::string& userName) {
    const std::string folder = rootDir + userName + "/";
    const std::string resolved = ResolvePathIgnoringCase(folder);
    const std::vector<std::string> names = entries(resolved);
    const bool flat = !holdsBackupFolder(resolved, names) && holdsDatabaseFile(names);
    const std::string base = folder + (flat ? "" : "BACKUP/") + "Ledra_";
    return {ResolvePathIgnoringCase(base + "Money.PDB"),
            ResolvePathIgnoringCase(base + "Payment.PDB"),
            ResolvePathIgnoringCase(base + "Currency.PDB"),
            ResolvePathIgnoringCase(base + "Types.PDB")};
}

DatabasePaths DatabasePathsIn(const std::string& folder) {
    const std::string base = folder + "/Ledra_";
    return {base + "Money.PDB", base + "Payment.PDB", base + "Currency.PDB", base + "Types.PDB"};
}

std::string DatabaseFolder(const DatabasePaths& paths) {
    return ResolvePathIgnoringCase(paths.money.substr(0, paths.money.rfind('/') + 1));
}
