#pragma once
// What the fuzz targets share: a small valid set of the four databases, and a scratch folder
// (in memory where the system has one) into which each input is written as a file, so that
// the real open path reads it.

#include "PdbWriter.h"

#include <string>

enum class DbKind { Money = 0, Types = 1, Payment = 2, Currency = 3 };

// Kept inputs are stored as hex text: pairs of hex digits, anything else between them ignored.
Bytes HexDecode(const Bytes& text);

// The small valid database of each kind.
Bytes ValidDatabase(DbKind kind);

class FuzzWorkspace {
public:
    FuzzWorkspace();
    ~FuzzWorkspace();
    // Path of the valid file of `kind`.
    std::string validPath(DbKind kind) const;
    // Writes `bytes` to a scratch file and returns its path.
    std::string writeScratch(const std::string& name, const std::uint8_t* data,
                             std::size_t size) const;
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
};
