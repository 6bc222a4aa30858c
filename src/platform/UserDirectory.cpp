#include "platform/UserDirectory.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
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

std::string withSeparator(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string rootDir() {
    if (!rootOverride().empty())
        return withSeparator(rootOverride());
    if (const char* env = std::getenv("LEDRA_DATA_ROOT"); env && *env)
        return withSeparator(env);
    const char* home = std::getenv("HOME");
    std::string h = home && *home ? home : "";
    if (h.empty())
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            h = pw->pw_dir;
    return withSeparator(h) + "Palm/";
}

// The users found by the last count; the id of a user is its index plus one.
std::vector<std::string>& users() {
    static std::vector<std::string> list;
    return list;
}

void scanUsers() {
    const std::string root = rootDir();
    std::vector<std::string>& list = users();
    list.clear();
    for (const std::string& name : entries(root)) {
        const std::string folder = root + name;
        if (!isFolder(folder))
            continue;
        const std::vector<std::string> inside = entries(folder);
        const bool hasBackup = std::any_of(inside.begin(), inside.end(), [&](const auto& n) {
            return ansi::equalsIgnoringAsciiCase(n, "BACKUP") && isFolder(folder + "/" + n);
        });
        if (hasBackup)
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
    return copyOut(rootDir(), buffer, size);
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
    const std::string base = rootDir + userName + "/BACKUP/Ledra_";
    return {ResolvePathIgnoringCase(base + "Money.PDB"),
            ResolvePathIgnoringCase(base + "Payment.PDB"),
            ResolvePathIgnoringCase(base + "Currency.PDB"),
            ResolvePathIgnoringCase(base + "Types.PDB")};
}

DatabasePaths DatabasePathsIn(const std::string& folder) {
    const std::string base = folder + "/Ledra_";
    return {base + "Money.PDB", base + "Payment.PDB", base + "Currency.PDB", base + "Types.PDB"};
}
