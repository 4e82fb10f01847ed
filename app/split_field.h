// Field n of a delimited line, the parser behind every text file the game reads.
#pragma once
#include <cstdint>
#include <string>

namespace app {

constexpr const char* FieldMissing = "-+-";

// The text without leading and trailing characters of code 0 to 32.
std::string TrimControls(const std::string& text);

// The text with a..z turned to A..Z; other characters stay as they are.
std::string UpperCase(std::string text);

// The leading decimal number of a text, with an optional sign after leading spaces; 0 when the
// text does not start with a number. Wraps round like 64-bit arithmetic rather than failing.
int64_t IntegerValue(const std::string& text);

// Field n (from 1) of the trimmed text; spaceAlso = 1 lets a space end a field too.
// Asking past the last delimiter gives FieldMissing, except for field 2, which is then the
// whole text.
std::string SplitField(const std::string& text, const std::string& delimiter, int n, int spaceAlso);

}  // namespace app
