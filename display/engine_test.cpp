#include "display/engine_test.h"

#include <algorithm>
#include <string>

#include "app/debug_log.h"
#include "app/shared_state.h"
#include "display/draw.h"
#include "display/frame_service.h"
#include "platform/clock.h"
#include "platform/display.h"

namespace display {
namespace {

using app::DebugLog;

void DrawLogos(float k) {
    const auto& s = app::shared;
    SetDrawScale(1.5f);
    platform::drawImage(s.FrameworkLogo, float(s.VirtualWidth) * 0.3f * k, float(s.VirtualHeight) * 0.3f);
    platform::drawImage(s.CommunityLogo, float(s.VirtualWidth) - float(s.VirtualWidth) * 0.3f * k,
                        float(s.VirtualHeight) - float(s.VirtualHeight) * 0.3f);
    SetDrawScale(1);
}

void StartFrame() {
    BeginFrame(1);
    ResetDrawState();
    DrawBackdrop();
}

void Intro() {
    for (int s = kEngineTestStep; s <= 15000; s += kEngineTestStep) {
        StartFrame();
        DrawLogos(std::clamp(float(s) / 500.0f / 15.0f - 1.0f, -1.0f, 1.0f));
        FrameService(0);
    }
}

// Transparent test sprites, drawn like any other sprite so the measurement is honest.
void MeasuredFrame(int sprites, int spriteScale) {
    const auto& s = app::shared;
    StartFrame();
    DrawLogos(1.0f);
    for (int i = 0; i < sprites; ++i) {
        SetDrawRotation(float(platform::randomInt(1, 360)));
        SetDrawColour(0, 0, 0, 0.0f);
        SetDrawScale(float(spriteScale));
        float y = float(platform::randomInt(1, s.VirtualHeight));
        float x = float(platform::randomInt(1, s.VirtualWidth));
        platform::drawImage(s.IconsCrisp, x, y, 0);
    }
    FrameService(0);
}

int Measure(int targetFps, int spriteScale) {
    int best = 0;
    for (int s = kEngineTestStep; s <= kEngineTestMaxSprites; s += kEngineTestStep) {
        for (int frame = 0; frame < 10; ++frame) MeasuredFrame(s + 1, spriteScale);
        int fps = app::shared.DisplayedFps;
        if (s > kEngineTestStep && fps >= targetFps - 6) best = s;
        if (s > kEngineTestStep && fps <= targetFps - 6) s = kEngineTestMaxSprites;
    }
    return best;
}

void LogResults(int targetFps) {
    const auto& limits = app::shared.BudgetLimits;
    for (const std::string& line :
         {std::string(), std::string("Engine Test Results"), std::string(),
          "\tMaximum Sprites Allowed for " + std::to_string(targetFps) + " Frames Per Second",
          "\tMain sprites : " + std::to_string(limits[1]), "\tGlowy Sprites : " + std::to_string(limits[2]),
          "\tParticles : " + std::to_string(limits[3]), std::string()})
        DebugLog(line);
}

}  // namespace

// 0.9 is taken at single precision and the product at double: 20000 gives 17999.
int MainSpriteBudget(int best) { return int(double(best) * double(0.9f)); }

void RunEngineTest(int targetFps, int spriteScale) {
    auto& s = app::shared;
    platform::present(true);
    platform::sleepMs(250);
    s.ShowOverlay = 0;
    if (s.SettingsTable[app::kSlowSystem] == 1) targetFps = 30;
    s.TargetFps = targetFps;
    s.BudgetLimits[1] = 500;
    s.BudgetLimits[2] = 500;
    s.BudgetLimits[3] = 250;
    DebugLog("Starting Engine Test");
    DebugLog("Aiming for " + std::to_string(targetFps) + "," + std::to_string(spriteScale));
    Intro();
    int best = Measure(targetFps, spriteScale);
    DebugLog("Test Complete");
    s.BudgetLimits[1] = MainSpriteBudget(best);
    s.BudgetLimits[2] = 500;
    s.BudgetLimits[3] = 500;
    LogResults(targetFps);
    if (s.BudgetLimits[1] < 1000) {
        s.BudgetLimits[1] = 1000;
        s.TargetFps = 30;
        s.SettingsTable[app::kSlowSystem] = 1;
    }
    s.BudgetLimits[2] = std::max(s.BudgetLimits[2], 500);
    s.BudgetLimits[3] = std::max(s.BudgetLimits[3], 250);
    if (s.TargetFps == 30) DebugLog("Settings Overwritten, Set to Default Lower Limits at 30fps.");
    DebugLog("");
    s.ShowOverlay = 0;
}

}  // namespace display
