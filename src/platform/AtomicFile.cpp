#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// A missing file becomes itself; a link is followed to the file it names (which may be missing).
std::string targetOf(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), buf, sizeof buf - 1);
        if (n <= 0)
            return current;
        std::string link(buf, static_cast<std::size_t>(n));
        if (link.front() != '/') {
            const std::size_t slash = current.rfind('/');
            link =
                (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + link;
        }
        current = link;
    }
    return current;
}

mode_t currentUmask() {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool IsWritableFolder(const std::string& folder) {
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           (st.st_mode & kAnyWrite) != 0 && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
    return ReplaceFileContents(path, [bytes](const ByteWriter& write) { return write(bytes); });
}

bool ReplaceFileContents(const std::string& path,
                         const std::function<bool(const ByteWriter&)>& produce) {
    if (path.empty())
        return false;
    const std::string target = targetOf(path);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                                          : target.substr(0, slash);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.empty())
        return false;

    if (!IsWritableFolder(folder))
        return false;

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & kAnyWrite) == 0 ||
                   ::access(target.c_str(), W_OK) != 0))
        return false;

    std::string temp = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
                       "." + base + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~currentUmask());
    bool ok = false;
    try {
        ok = produce([fd](std::string_view piece) { return writeAll(fd, piece); });
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    // Only a privileged user can give the file back to its owner; others become its owner,
    // as with any newly written file. A failed attempt changes nothing.
    if (ok && exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        errno = 0;
    ok = ok && ::fchmod(fd, mode) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}
