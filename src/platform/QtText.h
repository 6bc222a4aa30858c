#pragma once
// Single-byte text to and from the widgets (Qt side of ansi::).

#include "platform/Text.h"

#include <QString>

inline QString fromAnsi(std::string_view bytes) {
    const std::u16string u = ansi::toUtf16(bytes);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

inline std::string toAnsi(const QString& text) {
    return ansi::fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())));
}
