#include "platform/OpenMessages.h"

#include "platform/UserDirectory.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string fileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// Why a database file did not open: missing, not a file, or the system's reason.
std::string whyNotOpened(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? "missing" : std::string("cannot be read: ") + std::strerror(errno);
    if (!S_ISREG(st.st_mode))
        return "is not a file";
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::string("cannot be read: ") + std::strerror(errno);
    ::close(fd);
    return "cannot be read";
}

} // namespace

std::string NoUserMessage(const std::string& searchedFolder) {
    std::string text = kNoUserMessage + searchedFolder + "\n";
    if (!isFolder(searchedFolder))
        text += "(this folder does not exist)\n";
    text += "\nChoose the folder that holds your backups with File, Open Backup Folder...\n";
    return text;
}

std::string MissingFileMessage(const DatabasePaths& paths, const bool (&opened)[4]) {
    std::string text = std::string(kMissingFileMessage) + "\n" + DatabaseFolder(paths) + "\n";
    const std::string* files[] = {&paths.money, &paths.payment, &paths.currency, &paths.types};
    for (int k = 0; k < 4; ++k)
        if (!opened[k])
            text += fileName(*files[k]) + ": " + whyNotOpened(*files[k]) + "\n";
    return text;
}
