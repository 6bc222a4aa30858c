#pragma once
// Texts from the databases and the settings file are single-byte: Windows-1252 with the
// handheld's own characters (0x80 euro sign, 0x8D..0x90 card suits, 0x18 ellipsis). Inside the
// program they stay std::string bytes and are compared as bytes; only the widgets see Unicode.
//
// Every byte has a character of its own, so that a text shown in a widget and read back gives
// the same bytes: the bytes Windows-1252 leaves undefined keep their C1 code points, and the
// handheld's older ellipsis at 0x18 shows as U+22EF, since U+2026 belongs to 0x85.

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
// The text as UTF-8, without a byte-order mark: what files for other programs hold.
std::string toUtf8(std::string_view bytes);

// Whole texts equal when ASCII letters are folded to one case; other bytes compare as they are.
// Names in the settings file and folder names of a copied backup are matched this way.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace ansi
