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

// A write the system refused: the message, with the system's reason (such as "Permission
// denied") kept apart so that it can be shown on a line of its own.
class SettingsWriteError : public LedraError {
public:
    SettingsWriteError(const std::string& message, std::string reason)
        : LedraError(message), reason_(std::move(reason)) {}
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};
