#pragma once
// Texts from the databases and the settings file are single-byte: Windows-1252 with the
// handheld's own characters (0x80 euro sign, 0x8D..0x90 card suits, 0x18 ellipsis). Inside the
// program they stay std::string bytes and are compared as bytes; only the widgets see Unicode.

#include <string>
#include <string_view>

namespace ansi {

// The Unicode character that single byte b stands for.
char32_t toUnicode(unsigned char b);
// The byte for Unicode character c, or -1 when the single-byte set has none.
int fromUnicode(char32_t c);

std::u16string toUtf16(std::string_view bytes);
// Characters without a byte become `replacement`.
std::string fromUtf16(std::u16string_view text, char replacement = '?');

} // namespace ansi
