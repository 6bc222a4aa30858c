#pragma once
// The handheld user directory: which handheld users exist and where the desktop data root is.
//
// The folder searched is, first to last: one chosen in this run, a test's or the command
// line's override, $LEDRA_DATA_ROOT, the folder remembered from an earlier choice (kept in
// $XDG_CONFIG_HOME/ledra/backup-folder), ~/Palm/. It may be of three kinds:
// - a desktop data root: the users are the folders directly below it that hold a BACKUP folder
//   (any letter case), in name order, and the root is the folder itself;
// - one user's folder, which holds a BACKUP folder: that one user, named as the folder;
// - a folder that holds the database files itself (a BACKUP folder, or a flat backup folder):
//   one user, named as the folder, or for a BACKUP folder as its parent.
// For the last two the root is the folder that holds the user's folder.

#include <cstdint>
#include <string>
#include <vector>

namespace userdir {

std::int16_t UserCount();
// Non-zero on success; *id is then the id to pass to UserName.
int UserId(std::int16_t index, std::uint32_t* id);
// Non-zero on success; the name as zero-terminated text in `buffer` (*size bytes, 256).
int UserName(std::uint32_t id, char* buffer, std::int16_t* size);
// The root directory with its trailing separator, zero-terminated, into `buffer` (*size bytes).
int RootDirectory(char* buffer, std::int16_t* size);

// Every user's name, in the directory's order, as bytes (a folder name).
std::vector<std::string> UserNames();

// Tests point the directory at a tree of their own; an empty text goes back to the rule above.
void SetRootOverride(const std::string& root);
std::string RootOverride();

// The folder searched for users, with its trailing separator, as the rule above finds it.
std::string SearchedFolder();

// The user's choice of folder: searched from now on in this run, and remembered for the next
// runs. False when it cannot be remembered (the choice still holds for this run); `problem`
// then says why.
bool ChooseFolder(const std::string& folder, std::string& problem);
// Where the chosen folder is remembered.
std::string RememberedFolderFile();
// A new run in the same process (tests): the choice made in this run is forgotten.
void ForgetRunChoice();

} // namespace userdir

// A path whose components may differ in letter case from what is on disk: each component that
// does not exist with its exact name is matched without regard to case. Returns the path as it
// is on disk, or the path unchanged when some component cannot be found.
std::string ResolvePathIgnoringCase(const std::string& path);

// The four database paths of a handheld user, as the main window builds them: the root and the
// user's name joined as they are, then the BACKUP folder, or, where the user's folder has none
// and holds database files itself (a flat backup folder), that folder.
struct DatabasePaths {
    std::string money, payment, currency, types;
};
DatabasePaths DatabasePathsFor(const std::string& rootDir, const std::string& userName);
// The four files "Ledra_Money.PDB" ... "Ledra_Types.PDB" in `folder` (without its separator).
DatabasePaths DatabasePathsIn(const std::string& folder);

// The folder the four files were looked for in, with its trailing separator.
std::string DatabaseFolder(const DatabasePaths& paths);
