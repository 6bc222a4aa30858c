#pragma once
// An error that a handler ends with: the main loop's wrapper shows its message in the general
// error box ("Ledra", error icon, message followed by a full stop).

#include <stdexcept>
#include <string>

class LedraError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "%s" in `pattern` replaced by `arg`, e.g. FormatMessage("Unable to write to %s", path).
std::string FormatMessage(const std::string& pattern, const std::string& arg);
