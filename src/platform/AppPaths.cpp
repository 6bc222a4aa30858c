#include "platform/AppPaths.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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

std::string SettingsPathFor(const std::string& exeDir) {
    if (IsWritableFolder(exeDir))
        return exeDir + "Ledra.ini";
    const std::string dir = ConfigFolder();
    MakeFolders(dir);
    return dir + "Ledra.ini";
}

void SetSettingsPathOverride(const std::string& path) {
    overridePath() = path;
}
