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
