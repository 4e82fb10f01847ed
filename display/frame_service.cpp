#include "display/frame_service.h"

#include <string>

#include "app/shared_state.h"
#include "display/draw.h"
#include "display/notifications.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "settings/setup_file.h"

namespace display {
namespace {

constexpr int kKeyTab = 9, kKeyF4 = 115, kKeyF12 = 123;
constexpr int kKeyLeftAlt = 164, kKeyRightAlt = 165;

FarewellHandler farewell = nullptr;
FrameObserver observer = nullptr;

void DrawOverlay() {
    auto& s = app::shared;
    SetDrawColour(255, 255, 255, 1.0f);
    SetDrawScale(1.5f);
    TextAt(2, 2, std::to_string(s.DisplayedFps), 0, 0);
    SelectFontSlot(2);
    TextAt(2, 40, "Collection : " + std::to_string(s.LastCollection), 0, 0);
    TextAt(2, 60, "Used Memory : " + std::to_string(platform::memoryInUse()), 0, 0);
    TextAt(2, 80, "Drawn Images : " + std::to_string(s.BudgetCounts[1]) + "/" + std::to_string(s.BudgetLimits[1]), 0, 0);
    TextAt(2, 100, "Drawn Glow : " + std::to_string(s.BudgetCounts[2]) + "/" + std::to_string(s.BudgetLimits[2]), 0, 0);
    TextAt(2, 120, "Drawn Particles : " + std::to_string(s.BudgetCounts[3]) + "/" + std::to_string(s.BudgetLimits[3]), 0, 0);
    TextAt(2, 150, "Hit F12 to remove this", 0, 0);
    SetDrawScale(1.5f);
}

// Waits with 1 ms sleeps; always sleeps at least once.
void Pace() {
    double deadline = PacingDeadline(app::shared.FramePreviousEnd);
    double now;
    do {
        platform::sleepMs(1);
        now = platform::millisecs();
    } while (now < deadline);
}

void MeasureFrame() {
    auto& s = app::shared;
    s.FrameDuration = int(platform::millisecs() - s.FramePreviousEnd);
    s.FrameSmoothedFps = SmoothedFps(s.FrameSmoothedFps, s.FrameDuration);
    s.DisplayedFps = s.FrameSmoothedFps;
    s.FramePreviousEnd = platform::millisecs();
    s.FrameEndMicros = platform::microsecs();
}

bool QuitAsked() {
    bool altF4 = platform::keyDown(kKeyF4) && (platform::keyDown(kKeyLeftAlt) || platform::keyDown(kKeyRightAlt));
    return altF4 || platform::closeRequested();
}

}  // namespace

double PacingDeadline(double previousEnd) { return previousEnd - 2 + kFrameMs; }

int SmoothedFps(int smoothed, int durationMs) {
    if (durationMs < 1) durationMs = 1;  // the pacing wait makes this at least 15 ms anyway
    return (1000 / durationMs + 2 * smoothed) / 3;
}

void SetFarewellHandler(FarewellHandler handler) { farewell = handler; }
void SetFrameObserver(FrameObserver frameObserver) { observer = frameObserver; }

int FrameService(int showPointer) {
    auto& s = app::shared;
    int result = 0;
    if (observer) observer();
    if (platform::keyHits(kKeyTab)) {
        s.SettingsPanelOpen = 1 - s.SettingsPanelOpen;
        settings::WriteSetupFile();
    }
    if (s.FrameParity == 1) s.LastCollection = platform::memoryCollect();
    ResetDrawState();
    SetDrawScale(1.5f);
    SelectFontSlot(1);
    if (platform::keyHits(kKeyF12)) s.ShowOverlay = 1 - s.ShowOverlay;
    if (s.ShowOverlay == 1) DrawOverlay();
    if (showPointer == 1 || s.SettingsPanelOpen == 1)
        platform::drawImage(s.IconsSmooth, platform::pointerX() + 12, platform::pointerY() + 12, kPointerFrame);
    s.PreviousPointerX = s.PointerX;
    s.PreviousPointerY = s.PointerY;
    s.PointerX = int(platform::pointerX());
    s.PointerY = int(platform::pointerY());
    s.FrameWorkMs = double(platform::microsecs() - s.FrameEndMicros) / 1000.0;
    Pace();
    const int64_t paced = platform::microsecs();
    DrawNotifications();
    if (s.DrawnFrame()) platform::present(false);
    s.FramePresentMs = double(platform::microsecs() - paced) / 1000.0;
    MeasureFrame();
    s.FrameParity = 1 - s.FrameParity;
    if (QuitAsked() && farewell) farewell();
    return result;
}

}  // namespace display
