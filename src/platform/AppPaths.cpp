#include "platform/AppPaths.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string& overridePath() {
    static std::string path;
    return path;
}

std::string homeDir() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    const passwd* pw = ::getpwuid(::getuid());
    return pw && pw->pw_dir ? pw->pw_dir : "";
}

} // namespace

void MakeFolders(const std::string& dir) {
    for (std::size_t i = 1; i < dir.size(); ++i)
        if (dir[i] == '/')
            ::mkdir(dir.substr(0, i).c_str(), 0700);
}

std::string ConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // The base directory rules ignore a relative XDG_CONFIG_HOME.
    std::string base = xdg && *xdg == '/' ? std::string(xdg) : homeDir() + "/.config";
    if (base.empty() || base.back() != '/')
        base += '/';
    return base + "ledra/";
}

std::string ExecutableDir() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "./";
    const std::string exe(buf, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "./" : exe.substr(0, slash + 1);
}

std::string SettingsPath() {
    return overridePath().empty() ? SettingsPathFor(ExecutableDir()) : overridePath();
}

bool IsInstalledCopy(const std::string& exeDir) {
    const std::string bin = "/bin/";
    if (exeDir.size() < bin.size() || exeDir.compare(exeDir.size() - bin.size(), bin.size(), bin))
        return false;
    struct stat entry {};
    return ::stat((exeDir + "../share/applications/ledra.desktop").c_str(), &entry) == 0 &&
           S_ISREG(entry.st_mode);
}

std::string SettingsPathFor(const std::string& exeDir) {
    struct stat st {};
    const std::string beside = exeDir + "Ledra.ini";
    // A Ledra.ini already there is the user's own file, wherever it lies.
    if ((::stat(beside.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ||
        (IsWritableFolder(exeDir) && !IsInstalledCopy(exeDir)))
        return beside;
    const std::string dir = ConfigFolder();
    MakeFolders(dir);
    return dir + "Ledra.ini";
}

bool SettingsInConfigFolder() {
    return SettingsPath().rfind(ConfigFolder(), 0) == 0;
}

std::string DocumentsFolder() {
    const std::string home = homeDir();
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string config = xdg && *xdg == '/' ? std::string(xdg) : home + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        // XDG_DOCUMENTS_DIR="$HOME/Documents", or an absolute path in quotes.
        const std::string key = "XDG_DOCUMENTS_DIR=\"";
        if (line.rfind(key, 0) != 0)
            continue;
        const std::size_t end = line.rfind('"');
        if (end <= key.size() - 1)
            break;
        std::string dir = line.substr(key.size(), end - key.size());
        if (dir.rfind("$HOME", 0) == 0)
            dir = home + dir.substr(5);
        struct stat st {};
        if (!dir.empty() && dir.front() == '/' && ::stat(dir.c_str(), &st) == 0 &&
            S_ISDIR(st.st_mode))
            return dir.back() == '/' ? dir : dir + "/";
        break;
    }
    return home.empty() || home.back() == '/' ? home : home + "/";
}

void SetSettingsPathOverride(const std::string& path) {
    overridePath() = path;
}
