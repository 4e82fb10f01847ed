// Setup.ini: the player's settings and key bindings between runs.
#pragma once
#include <string>

namespace settings {

// The leading integer of a value: spaces, one sign, "$" hex or "%" binary digits; made
// non-negative. 0 when there is no digit.
int ReadSetupNumber(const std::string& value);

// Reads Setup.ini from the current folder (start-up, with Files/ current).
void ReadSetupFile();
// Rewrites Setup.ini one folder up (the game folder is current), replacing it atomically.
// False when the file could not be written; the old file is then left as it was.
bool WriteSetupFile();

}  // namespace settings
