// Which of the platform's audio drivers the game asks for at start-up.
#pragma once
#include <string>
#include <vector>

namespace app {

// Unless the setup file named a driver, the last name starting "DIRECT" wins, else the first
// starting "OPENAL" or "FREE"; with none of them the index stays. Returns the index.
int ChooseAudioDriverIndex(const std::vector<std::string>& names, int currentIndex, int& chosen);

// Chooses (as above) and selects the driver; an unknown name leaves the platform's default.
void ChooseAudioDriver();

}  // namespace app
