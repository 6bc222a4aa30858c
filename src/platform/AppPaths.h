#pragma once

#include <string>

// The folder of the running executable, with its trailing separator.
std::string ExecutableDir();
// Where Ledra.ini lives: in ExecutableDir() when that folder is writable and the copy is not an
// installed one, else in $XDG_CONFIG_HOME/ledra/ (default ~/.config/ledra/), created on demand.
std::string SettingsPath();
// The same rule for an executable in `exeDir` (with its trailing separator).
std::string SettingsPathFor(const std::string& exeDir);
// An installed copy: the executable in PREFIX/bin/ with the desktop entry that the install puts
// in PREFIX/share/applications/. Its settings are per user even where PREFIX/bin/ is writable
// (a root user, an install into ~/.local), as a build or an unpacked folder's are not.
bool IsInstalledCopy(const std::string& exeDir);
// Tests point the settings somewhere else; an empty text goes back to SettingsPath()'s rule.
void SetSettingsPathOverride(const std::string& path);
