// The reversible scrambling of every score-file line: two checksummed rotations around a
// key XOR, written as upper-case hexadecimal.
#pragma once
#include <cstdint>
#include <string>

namespace scores {

// Fills DefaultScrambleKey from the game's title, tagline and week number.
void BuildDefaultScrambleKey();

// 2 x (length + 12) hex digits. An empty key means DefaultScrambleKey.
std::string Scramble(const std::string& text, const std::string& key);
// The text again, or exactly "XXX" when either checksum fails. An empty key means the default.
std::string Unscramble(const std::string& hexText, const std::string& key);

// Upper-case hex digits only; any other character counts as its own decimal value or 0.
int32_t HexToInt(const std::string& text);

}  // namespace scores
