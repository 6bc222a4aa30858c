#pragma once
// The two settings-file functions: read and write one key of an INI file, with the rules the
// settings file has always had (CR LF lines, single-byte text, names matched without regard to
// case, blanks trimmed, one pair of quotes removed, values cut at 2047 characters, lines not
// touched kept byte for byte). A write replaces the file atomically and is on disk when it
// returns.
//
// Where the old rules said nothing:
// - A section name that appears twice: only its first occurrence is the section; a key that
//   appears twice in it: the first line counts. Reads and writes agree on both.
// - A new key goes right after the last non-blank line of its section, so blank lines that
//   separate it from the next section stay where they are.
// - A new or replaced line ends with CR LF, also in a file whose other lines end with LF only;
//   a last line without a line end gets CR LF when a line is added after it.
// - A UTF-8 byte-order mark at the start is skipped when reading and kept when writing.
// - A value ends at its first zero byte. A value to write ends at its first CR, LF or zero
//   byte, so that it can never break into further lines.
// - A file that cannot be read (a folder, no permission, not a regular file) reads as missing.

#include <optional>
#include <string>
#include <vector>

inline constexpr std::size_t kMaxProfileValue = 2047;

// The value of `key` in `section`, or `defaultValue` when the file, section or key is missing.
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path);
// The same, without a default: nothing when the file, section or key is missing.
std::optional<std::string> FindProfileString(const std::string& section, const std::string& key,
                                             const std::string& path);

// Writes `value` unchanged as `key` of `section`. Throws LedraError
// "Unable to write to <path>" when the file cannot be written; the file is then unchanged.
void WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);

// WriteProfileString for several keys at once, in order: the file ends as writing them one after
// the other leaves it, but is replaced (and waited for on the disk) once instead of per key.
struct ProfileEntry {
    std::string section, key, value;
};
void WriteProfileStrings(const std::vector<ProfileEntry>& entries, const std::string& path);

// The new contents of an INI file after writing one key (what WriteProfileString stores).
std::string ProfileWithKey(const std::string& contents, const std::string& section,
                           const std::string& key, const std::string& value);
// The value of `key` in `section` of the INI text `contents`.
std::optional<std::string> ProfileValue(const std::string& contents, const std::string& section,
                                        const std::string& key);
