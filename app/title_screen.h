// The title screen: title art, the side panel's pages, the start button and the difficulty.
#pragma once

namespace app {

constexpr int kSlideInFrames = 32;
constexpr int kHiscorePage = 0, kAboutPage = 2;

// Runs until the player leaves with Escape; rounds are played from inside it.
void TitleScreen();

}  // namespace app
