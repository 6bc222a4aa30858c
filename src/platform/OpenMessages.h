#pragma once
// What the user is told when a handheld user's databases cannot be opened; the viewer and
// ledra-export say the same words.

inline constexpr const char* kNoUserMessage =
    "Unable to open files.\n\nSelect user, and check does Ledra database\nfiles exists in your "
    "BACKUP directory:\n";

inline constexpr const char* kMissingFileMessage =
    "Unable to open one or more files.\n\nCheck does Ledra database(s)\nfiles exists in your "
    "BACKUP directory:\n\nIf files not exists than, mark files for backup\nin palm program "
    "proprties and do synchronisation ones.\n";

#include <string>

struct DatabasePaths;

// The first message, going on with the folder that was searched for users and how it stands.
std::string NoUserMessage(const std::string& searchedFolder);

// The second message, going on with the folder the four files were looked for in and, for
// each that did not open, whether it is missing or why it cannot be read. `opened` holds the
// results of the four opens in the order money, payment, currency, types.
std::string MissingFileMessage(const DatabasePaths& paths, const bool (&opened)[4]);
