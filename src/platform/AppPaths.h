#pragma once

#include <string>

// The folder of the running executable, with its trailing separator.
std::string ExecutableDir();
// Where Ledra.ini lives: in ExecutableDir() when that folder is writable, else in
// $XDG_CONFIG_HOME/ledra/ (default ~/.config/ledra/), created on demand.
std::string SettingsPath();
// The same rule for an executable in `exeDir` (with its trailing separator).
std::string SettingsPathFor(const std::string& exeDir);
// Tests point the settings somewhere else; an empty text goes back to SettingsPath()'s rule.
void SetSettingsPathOverride(const std::string& path);
