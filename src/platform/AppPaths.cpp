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

// Creates every missing folder of `dir` (which ends with a separator); failures surface later
// as the settings file's own write error.
void makeFolders(const std::string& dir) {
    for (std::size_t i = 1; i < dir.size(); ++i)
        if (dir[i] == '/')
            ::mkdir(dir.substr(0, i).c_str(), 0700);
}

} // namespace

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
    if (IsWritableFolder(exeDir) && !IsInstalledCopy(exeDir))
        return exeDir + "Ledra.ini";
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // The base directory rules ignore a relative XDG_CONFIG_HOME.
    std::string base = xdg && *xdg == '/' ? std::string(xdg) : homeDir() + "/.config";
    if (base.empty() || base.back() != '/')
        base += '/';
    const std::string dir = base + "ledra/";
    makeFolders(dir);
    return dir + "Ledra.ini";
}

void SetSettingsPathOverride(const std::string& path) {
    overridePath() = path;
}
