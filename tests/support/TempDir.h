#pragma once
// A fresh directory below the system's temporary folder, removed with everything in it when
// the object goes away.

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; } // no trailing separator
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The whole contents of a file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
