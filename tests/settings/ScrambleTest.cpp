#include "settings/Scramble.h"

#include <gtest/gtest.h>

namespace {

TEST(Scramble, KnownValue) {
    // n = 3, key "Jwq" = 74, 119, 113: 'a' 97+74+0+3 = 174, 'b' 98+119+1+3 = 221,
    // 'c' 99+113+2+3 = 217.
    EXPECT_EQ(Scrambled("abc"), "\xAE\xDD\xD9");
    EXPECT_EQ(Unscrambled("\xAE\xDD\xD9"), "abc");
    // Wrapping: 'z' 122+74+0+2 = 198, 0xFF 255+119+1+2 = 377 -> 121 'y'.
    EXPECT_EQ(Scrambled("z\xFF"), "\xC6y");
    EXPECT_EQ(Scrambled(""), "");
}

TEST(Scramble, PositionAndLengthEnterWithTheirLowEightBits) {
    std::string text(300, '\0');
    const std::string s = Scrambled(text);
    // Position 256 of 300: key[256 % 3] = 'w' (119), i = 0, n = 44.
    EXPECT_EQ(static_cast<unsigned char>(s[256]), (119 + 0 + 44) % 256);
    EXPECT_EQ(static_cast<unsigned char>(s[5]), (113 + 5 + 44) % 256);
    EXPECT_EQ(Unscrambled(s), text);
}

TEST(Scramble, InverseForEveryLengthUpTo99) {
    for (int n = 0; n <= 99; ++n) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text.push_back(static_cast<char>((i * 37 + n * 11 + 200) % 256));
        std::string buf = text;
        Scramble(reinterpret_cast<unsigned char*>(buf.data()), n);
        if (n > 0) {
            EXPECT_NE(buf, text) << n;
        }
        Unscramble(reinterpret_cast<unsigned char*>(buf.data()), n);
        EXPECT_EQ(buf, text) << n;
        EXPECT_EQ(Scrambled(Unscrambled(text)), text) << n;
    }
}

TEST(Scramble, SameCharacterDiffersWithLength) {
    EXPECT_NE(Scrambled("a")[0], Scrambled("ab")[0]);
}

TEST(Scramble, OnlyTheFirstNBytesChange) {
    unsigned char buf[4] = {'a', 'b', 'c', 'd'};
    Scramble(buf, 3);
    EXPECT_EQ(buf[3], 'd');
    EXPECT_EQ(buf[0], 0xAE);
    Scramble(buf, 0);
    Scramble(buf, -1);
    EXPECT_EQ(buf[0], 0xAE);
}

} // namespace
