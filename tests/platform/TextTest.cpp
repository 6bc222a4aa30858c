#include "platform/Text.h"
#include "platform/LedraError.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

TEST(AnsiText, EveryByteComesBackUnchanged) {
    for (int b = 0; b < 256; ++b) {
        const char32_t c = ansi::toUnicode(static_cast<unsigned char>(b));
        EXPECT_EQ(ansi::fromUnicode(c), b) << "byte " << b;
    }
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(ansi::fromUtf16(ansi::toUtf16(all)), all);
}

TEST(AnsiText, HandheldAndWindowsCharacters) {
    struct Case {
        unsigned char byte;
        char32_t unicode;
    };
    const Case cases[] = {
        {'A', U'A'},    {0x00, 0x0000}, {0x80, 0x20AC},                 // euro sign
        {0x85, 0x2026}, {0x18, 0x22EF},                                 // both ellipses
        {0x8D, 0x2666}, {0x8E, 0x2663}, {0x8F, 0x2665}, {0x90, 0x2660}, // suits
        {0x81, 0x0081}, {0x9D, 0x009D},                                 // undefined: C1
        {0x82, 0x201A}, {0x8A, 0x0160}, {0x93, 0x201C}, {0x99, 0x2122},
        {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ansi::toUnicode(c.byte), c.unicode) << "byte " << int(c.byte);
        EXPECT_EQ(ansi::fromUnicode(c.unicode), c.byte) << "byte " << int(c.byte);
    }
}

TEST(AnsiText, Utf8OfEveryWidthAndNoByteOrderMark) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"Caf\xE9", "Caf\xC3\xA9"},
        {"\x80 5", "\xE2\x82\xAC 5"},
        {"\x18", "\xE2\x8B\xAF"},
        {"\x81\x9D", "\xC2\x81\xC2\x9D"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"\xFF", "\xC3\xBF"},
    };
    for (const auto& [bytes, utf8] : cases)
        EXPECT_EQ(ansi::toUtf8(bytes), utf8) << bytes;
}

TEST(AnsiText, TypedCharactersWithoutByteBecomeReplacement) {
    EXPECT_EQ(ansi::fromUnicode(0x017D), -1); // Z caron: its place holds a card suit
    EXPECT_EQ(ansi::fromUnicode(0x0416), -1);
    const std::u16string typed = u"a\u0416b\U0001F600c\xD800";
    EXPECT_EQ(ansi::fromUtf16(typed), "a?b?c?");
    EXPECT_EQ(ansi::fromUtf16(typed, '_'), "a_b_c_");
    EXPECT_EQ(ansi::fromUtf16(u"\u20AC 5 \u2026"), "\x80 5 \x85");
}

TEST(LedraErrorMessage, PlaceholderTakesArgumentLiterally) {
    EXPECT_EQ(FormatMessage("Unable to write to %s", "/x/Ledra.ini"),
              "Unable to write to /x/Ledra.ini");
    EXPECT_EQ(FormatMessage("'%s' is not a valid date and time", "a%sb"),
              "'a%sb' is not a valid date and time");
    EXPECT_EQ(FormatMessage("no placeholder", "x"), "no placeholder");
}

// The one decoder serves the settings-free paths that meet UTF-8: command-line texts, locale
// strings, folder names. Each case: the bytes, whether they are UTF-8, the lenient single-byte
// form, and the exact one (nothing where a byte is no UTF-8 or a character has no byte).
TEST(Utf8Decoder, StrictForms) {
    struct Case {
        const char* bytes;
        bool utf8;
        const char* lenient;
        std::optional<std::string> exact;
    };
    const Case cases[] = {
        {"", true, "", ""},
        {"Food", true, "Food", "Food"},
        {"Caf\xC3\xA9", true, "Caf\xE9", "Caf\xE9"},
        {"\xE2\x82\xAC 5", true, "\x80 5", "\x80 5"},      // euro sign
        {"\xE2\x99\xA6", true, "\x8D", "\x8D"},            // the handheld's diamond
        {"\xE4\xB8\xAD", true, "?", std::nullopt},         // no byte for it
        {"\xF0\x9F\x98\x80", true, "?", std::nullopt},     // four bytes, no byte for it
        {"Caf\xE9", false, "Caf?", std::nullopt},          // single-byte, not UTF-8
        {"\xC0\xAF", false, "??", std::nullopt},           // overlong '/'
        {"\xE0\x80\xAF", false, "???", std::nullopt},      // overlong in three bytes
        {"\xED\xA0\x80", false, "???", std::nullopt},      // surrogate
        {"\xF4\x90\x80\x80", false, "????", std::nullopt}, // past U+10FFFF
        {"\xC3", false, "?", std::nullopt},                // cut short
        {"a\xC3", false, "a?", std::nullopt},              // cut short at the end
        {"\x80", false, "?", std::nullopt},                // a lone continuation byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ansi::isUtf8(c.bytes), c.utf8) << c.bytes;
        EXPECT_EQ(ansi::fromUtf8(c.bytes), c.lenient) << c.bytes;
        EXPECT_EQ(ansi::fromUtf8Exactly(c.bytes), c.exact) << c.bytes;
    }
}

TEST(Utf8Decoder, FailureLeavesThePlace) {
    const std::string text = "a\xC0\xAF";
    std::size_t i = 1;
    char32_t c = U'x';
    EXPECT_FALSE(ansi::nextUtf8(text, i, c));
    EXPECT_EQ(i, 1u);
    EXPECT_EQ(c, U'x');
}

TEST(CodesetText, ToSingleByte) {
    EXPECT_EQ(ansi::fromCodeset("M\xC3\xA4rz", "UTF-8"), "M\xE4rz");
    EXPECT_EQ(ansi::fromCodeset("M\xC3\xA4rz", "utf8"), "M\xE4rz");
    EXPECT_EQ(ansi::fromCodeset("M\xE4rz", "ISO-8859-1"), "M\xE4rz");
    EXPECT_EQ(ansi::fromCodeset("March", ""), "March");
    EXPECT_EQ(ansi::fromCodeset("M\xE4rz", "NO-SUCH-SET"), "M?rz");
}

} // namespace
