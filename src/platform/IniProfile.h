#pragma once
// The two settings-file functions: read and write one key of an INI file, with the rules the
// settings file has always had (CR LF lines, single-byte text, names matched without regard to
// case, blanks trimmed, one pair of quotes removed, values cut at 2047 characters, lines not
// touched kept byte for byte). A write replaces the file atomically and is on disk when it
// returns.

#include <string>

// The value of `key` in `section`, or `defaultValue` when the file, section or key is missing.
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path);

// Writes `value` unchanged as `key` of `section`. Throws LedraError
// "Unable to write to <path>" when the file cannot be written.
void WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);
