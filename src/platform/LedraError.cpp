#include "platform/LedraError.h"

std::string FormatMessage(const std::string& pattern, const std::string& arg) {
    const std::size_t at = pattern.find("%s");
    if (at == std::string::npos)
        return pattern;
    std::string out = pattern;
    out.replace(at, 2, arg);
    return out;
}
