// Typing the name a new score record is stored under.
#pragma once
#include <string>

namespace scores {

// One editing step: appends the next typed character (codes below 32 ignored), then a
// Backspace hit since the last call removes the last character.
std::string EditLine(const std::string& text);

// A screen of its own after every round: edits PlayerName until Enter, a click or Escape.
// Also reseeds the random generator from the clock.
void NameEntryScreen();

}  // namespace scores
