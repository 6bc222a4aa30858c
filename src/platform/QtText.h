#pragma once
// Single-byte text to and from the widgets: the Qt face of the text module (platform/Text.h).

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

// Bytes that may be either: file paths and folder names made on this system are UTF-8, texts
// from the handheld's desktop and the settings file single-byte. UTF-8 where the bytes are
// UTF-8 (the strict decoder's rules), else single-byte text.
inline QString fromUtf8OrAnsi(std::string_view bytes) {
    if (ansi::isUtf8(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return fromAnsi(bytes);
}
