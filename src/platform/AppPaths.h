#pragma once

#include <string>

// The folder of the running executable, with its trailing separator.
std::string ExecutableDir();
// Where Ledra.ini lives: in ExecutableDir() when a Ledra.ini is there (the user's own file, also
// in a folder that is not writable), or when that folder is writable and the copy is not an
// installed one; else in $XDG_CONFIG_HOME/ledra/ (default ~/.config/ledra/), created on demand.
std::string SettingsPath();
// The same rule for an executable in `exeDir` (with its trailing separator).
std::string SettingsPathFor(const std::string& exeDir);
// An installed copy: the executable in PREFIX/bin/ with the desktop entry that the install puts
// in PREFIX/share/applications/. Its settings are per user even where PREFIX/bin/ is writable
// (a root user, an install into ~/.local), as a build or an unpacked folder's are not.
bool IsInstalledCopy(const std::string& exeDir);
// The per-user configuration folder of Ledra, $XDG_CONFIG_HOME/ledra/ (default
// ~/.config/ledra/), with its trailing separator; created on demand by SettingsPathFor and by
// whoever writes there.
std::string ConfigFolder();
// Creates every missing folder of `dir` (ending with a separator); failures surface later as
// the write error of the file that was to go there.
void MakeFolders(const std::string& dir);
// Whether the settings live in the configuration folder rather than beside the executable.
bool SettingsInConfigFolder();
// The user's documents folder as the desktop names it (XDG_DOCUMENTS_DIR in
// $XDG_CONFIG_HOME/user-dirs.dirs) when it exists, else the home folder; with its separator.
std::string DocumentsFolder();
// Tests point the settings somewhere else; an empty text goes back to SettingsPath()'s rule.
void SetSettingsPathOverride(const std::string& path);
