#pragma once
// The stored form of the start-up password: every byte shifted by a key character, its
// position and the text's length, in 8-bit arithmetic.

#include <string>

inline constexpr char kScrambleKey[] = "Jwq";

void Scramble(unsigned char* buffer, int n);
void Unscramble(unsigned char* buffer, int n);
std::string Scrambled(std::string text);
std::string Unscrambled(std::string text);
