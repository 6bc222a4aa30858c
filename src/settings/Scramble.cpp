#include "settings/Scramble.h"

// i and n take part with their low eight bits only, and every sum wraps around: the stored
// passwords were made that way.
void Scramble(unsigned char* buffer, int n) {
    for (int i = 0; i < n; ++i)
        buffer[i] =
            static_cast<unsigned char>(buffer[i] + kScrambleKey[i % 3] + (i & 0xFF) + (n & 0xFF));
}

void Unscramble(unsigned char* buffer, int n) {
    for (int i = 0; i < n; ++i)
        buffer[i] =
            static_cast<unsigned char>(buffer[i] - kScrambleKey[i % 3] - (i & 0xFF) - (n & 0xFF));
}

std::string Scrambled(std::string text) {
    Scramble(reinterpret_cast<unsigned char*>(text.data()), static_cast<int>(text.size()));
    return text;
}

std::string Unscrambled(std::string text) {
    Unscramble(reinterpret_cast<unsigned char*>(text.data()), static_cast<int>(text.size()));
    return text;
}
