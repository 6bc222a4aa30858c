#pragma once
// The handheld user directory: which handheld users exist and where the desktop data root is.
// The root is $LEDRA_DATA_ROOT when set, else ~/Palm/; the users are the folders directly below
// it that hold a BACKUP folder (any letter case), in name order.

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

} // namespace userdir

// A path whose components may differ in letter case from what is on disk: each component that
// does not exist with its exact name is matched without regard to case. Returns the path as it
// is on disk, or the path unchanged when some component cannot be found.
std::string ResolvePathIgnoringCase(const std::string& path);

// The four database paths of a handheld user, as the main window builds them.
struct DatabasePaths {
    std::string money, payment, currency, types;
};
DatabasePaths DatabasePathsFor(const std::string& rootDir, const std::string& userName);
// The four files "Ledra_Money.PDB" ... "Ledra_Types.PDB" in `folder` (without its separator).
DatabasePaths DatabasePathsIn(const std::string& folder);
