#pragma once
// Texts from the databases and the settings file are single-byte: Windows-1252 with the
// handheld's own characters (0x80 euro sign, 0x8D..0x90 card suits, 0x18 ellipsis). Inside the
// program they stay std::string bytes and are compared as bytes; only the widgets see Unicode.
//
// Every byte has a character of its own, so that a text shown in a widget and read back gives
// the same bytes: the bytes Windows-1252 leaves undefined keep their C1 code points, and the
// handheld's older ellipsis at 0x18 shows as U+22EF, since U+2026 belongs to 0x85.

#include <cstddef>
#include <optional>
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

// The one UTF-8 decoder: the character at text[i], moving i past it; false, with i unchanged,
// where the bytes there are no UTF-8 (cut short, overlong forms, surrogates, past U+10FFFF).
bool nextUtf8(std::string_view text, std::size_t& i, char32_t& c);
// Whether the whole text is UTF-8 by nextUtf8's rules.
bool isUtf8(std::string_view text);
// UTF-8 to single-byte text: a byte that starts no UTF-8 character, and a character without a
// byte, each become `replacement`.
std::string fromUtf8(std::string_view utf8, char replacement = '?');
// The single-byte text of a UTF-8 text whose every character has a byte; nothing otherwise.
std::optional<std::string> fromUtf8Exactly(std::string_view utf8);
// Text in the character set `codeset` (a name as nl_langinfo gives it: "UTF-8", "ISO-8859-1")
// to single-byte text. ASCII and an empty codeset pass unchanged; where the set is unknown or
// the text is not in it, every byte past ASCII becomes '?'.
std::string fromCodeset(const std::string& text, const std::string& codeset);

// Whole texts equal when ASCII letters are folded to one case; other bytes compare as they are.
// Names in the settings file and folder names of a copied backup are matched this way.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace ansi
