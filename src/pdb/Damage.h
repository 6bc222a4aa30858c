#pragma once
// The structural check of a database file: what is wrong with its layout, in words a user can
// act on. The reader shows what can be read of a damaged file; this check says why some of it
// is missing or empty.

#include "pdb/Pdb.h"

#include <initializer_list>
#include <string>
#include <vector>

enum class DatabaseKind { Money, Payment, Currency, Types };

// Every fault found in an open database, one sentence each (no full stop); empty for a sound
// file or a closed object.
std::vector<std::string> StructureProblems(const cPDB& db, DatabaseKind kind);

struct DamagedFile {
    std::string path;
    std::vector<std::string> problems;
};

// One message naming each damaged file with its faults; empty text when no file is damaged.
std::string DamageReport(const std::vector<DamagedFile>& files);

// The check over a user's databases as they were opened (a closed one has nothing to say).
struct DatabaseFile {
    const cPDB& db;
    DatabaseKind kind;
    const std::string& path;
};
std::string CheckDatabases(std::initializer_list<DatabaseFile> files);
