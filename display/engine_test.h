// Measures how many sprites the machine draws per frame and sets the sprite budgets; doubles
// as the loading splash with the two logos.
#pragma once

namespace display {

constexpr int kEngineTestMaxSprites = 20000, kEngineTestStep = 500;

void RunEngineTest(int targetFps, int spriteScale);
// The main-sprite budget for the best count: best x 0.9 in single precision, truncated.
int MainSpriteBudget(int best);

}  // namespace display
