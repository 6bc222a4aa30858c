#include "WriteWatch.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::uint32_t kWriteMask =
    IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
}

WriteWatch::WriteWatch(const std::string& dir) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0 || ::inotify_add_watch(fd_, dir.c_str(), kWriteMask | IN_CLOSE_NOWRITE) < 0)
        throw std::runtime_error("inotify watch failed on " + dir);
}

WriteWatch::~WriteWatch() {
    if (fd_ >= 0)
        ::close(fd_);
}

void WriteWatch::drain() {
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0)
            return;
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
            const std::string name = e->len ? e->name : "";
            if (e->mask & IN_CLOSE_NOWRITE)
                ++readCloses_;
            if (e->mask & kWriteMask)
                writes_.push_back("mask " + std::to_string(e->mask & kWriteMask) + " " + name);
            at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        }
    }
}

std::vector<std::string> WriteWatch::writes() {
    drain();
    return writes_;
}

FileFingerprint Fingerprint(const std::string& path) {
    FileFingerprint f;
    std::ifstream in(path, std::ios::binary);
    f.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        f.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return f;
}
