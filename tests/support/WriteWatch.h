#pragma once
// Watches a folder for anything that writes: a file opened for writing and closed, a change of
// contents or attributes, a file created, deleted or renamed. Reads are counted too, so a
// test can tell that the watch saw the program at work at all.

#include <string>
#include <vector>

class WriteWatch {
public:
    explicit WriteWatch(const std::string& dir);
    ~WriteWatch();
    WriteWatch(const WriteWatch&) = delete;
    WriteWatch& operator=(const WriteWatch&) = delete;

    // Collects the events so far; returns the writing ones as "EVENT name" texts.
    std::vector<std::string> writes();
    // How many files were opened for reading only and closed, so far.
    int readCloses() {
        drain();
        return readCloses_;
    }

private:
    void drain();
    int fd_ = -1;
    int readCloses_ = 0;
    std::vector<std::string> writes_;
};

// Size, bytes and modification time of a file, to compare before and after.
struct FileFingerprint {
    std::string bytes;
    long long mtimeNs = 0;
    bool operator==(const FileFingerprint&) const = default;
};
FileFingerprint Fingerprint(const std::string& path);
