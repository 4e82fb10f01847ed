#include "app/title_screen.h"

#include <string>

#include "app/shared_state.h"
#include "audio/sound_effects.h"
#include "display/draw.h"
#include "display/frame_service.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/image.h"
#include "platform/input.h"
#include "puzzle/play_screen.h"
#include "scores/score_file.h"
#include "scores/score_table.h"
#include "settings/controls.h"

namespace app {
namespace {

constexpr int kKeyEscape = 27;
constexpr int kPageKeys[6] = {49, 50, 51, 112, 113, 114};  // 1 2 3 F1 F2 F3
constexpr int kChoiceEffect = 98;
constexpr int kPanelClosedBelow = -250;

struct TitleLoop {
    int selectedPage = kHiscorePage;
    int slideIn = 0;
    bool pageLatch = false, startLatch = false, stepLatch = false, escapeLatch = false;
    bool previousButton = false;
};

// Recomputed every frame from the virtual area and the slide.
struct Layout {
    int w, h, panelWidth, panelX, cx, e;
};

Layout ComputeLayout(int slideIn) {
    Layout l;
    l.w = shared.VirtualWidth;
    l.h = shared.VirtualHeight;
    l.panelWidth = shared.ScreenWidth < 900 ? 415 : 335;
    l.panelX = l.w - (l.panelWidth + 5) - 25 * slideIn + 800;
    l.cx = (l.w - l.panelWidth) / 2;
    l.e = 800 - 25 * slideIn;
    return l;
}

bool LeftHeld() { return platform::mouseDown(1); }

// Three layers of art, each drawn crisp and then softened, moving against the pointer.
void DrawTitleArt(const Layout& l, int slideIn) {
    const float w = float(l.w), h = float(l.h);
    const float px = float(platform::pointerX()), py = float(platform::pointerY());
    const int rise = 32 - slideIn;
    const struct {
        int frame;
        float x, y;
    } layers[3] = {
        {0, float(l.w / 2 - 768) + (w - px) / 256.0f, float(l.h / 2 - 768 - 50 * rise) + (h - py) / 150.0f},
        {2, float(l.w / 2 - 768) + (w - px) / 100.0f, float(l.h - 1296 + 64 * rise) + (h - py) / 50.0f},
        {1, float(l.w / 2 - 768) + (w - px) / 32.0f, float(l.h / 2 - 672 + 50 * rise) + (h - py) / 20.0f},
    };
    display::SetDrawScale(24);
    for (const auto& layer : layers) {
        display::SetDrawColour(255, 255, 255, 1.0f);
        display::DrawBudgeted(shared.MenuArtCrisp, int(layer.x), int(layer.y), layer.frame, 1);
        display::SetDrawColour(255, 255, 255, 0.4f);
        display::DrawBudgeted(shared.MenuArtSmooth, int(layer.x), int(layer.y), layer.frame, 1);
    }
}

void DrawPanelAndTabs(const TitleLoop& t, const Layout& l) {
    display::SetDrawColour(0, 0, 0, 0.5f);
    platform::drawRect(float(l.panelX), 5, float(l.panelWidth), float(l.h - 10));
    display::SetDrawColour(255, 255, 255, 0.3f);
    platform::drawRect(float(l.panelX), 5, float(l.panelWidth), 35);
    display::SelectFont(1, 2);
    const struct {
        int page;
        float at;
        const char* label;
    } tabs[2] = {{kHiscorePage, 0.2f, "1.Hiscore"}, {kAboutPage, 0.8f, "3.About"}};
    for (const auto& tab : tabs) {
        int c = t.selectedPage == tab.page ? 255 : 0;
        display::SetDrawColour(c, c, c, 1.0f);
        display::TextAt(int(float(l.panelX) + tab.at * float(l.panelWidth)), 23, tab.label, 1, 1);
    }
}

bool PageRequested(int page, const Layout& l) {
    const int keyA = page == kHiscorePage ? 49 : 51, keyB = page == kHiscorePage ? 112 : 114;
    if (platform::keyDown(keyA) || platform::keyDown(keyB)) return true;
    const float f = page == kHiscorePage ? 0.0f : 0.66f;
    int x = int(float(l.panelX) + f * float(l.panelWidth)), width = int(0.3f * float(l.panelWidth));
    return LeftHeld() && display::MouseInRect(x, 5, width, 50);
}

void ChoosePage(TitleLoop& t, const Layout& l) {
    for (int page : {kHiscorePage, kAboutPage}) {
        if (!PageRequested(page, l) || t.pageLatch) continue;
        t.selectedPage = page;
        audio::PlaySfx(kChoiceEffect, 2, 1, 0);
        t.pageLatch = true;
    }
}

void DrawPage(const TitleLoop& t, const Layout& l) {
    // Ranked on every page; drawn on the scores page only.
    display::SetDrawColour(255, 255, 255);
    scores::ScoreTableView(l.panelX, l.panelWidth, shared.Difficulty, shared.RoundLevel, shared.RoundFlags,
                           t.selectedPage == kHiscorePage ? 1 : 0);
    display::SetDrawColour(255, 255, 255);
    display::SelectFont(1, 7);
    const int hx = l.panelX + l.panelWidth / 2;
    if (t.selectedPage == kHiscorePage) {
        shared.BackdropTarget = Rgb{0.2f, 0.0f, 1.0f};
        display::TextAt(hx, 50, "Hiscores", 1, 0);
    } else if (t.selectedPage == kAboutPage) {
        display::TextAt(hx, 50, "About", 1, 0);
        display::SelectFont(1, 2);
        shared.BackdropTarget = Rgb{0.0f, 0.2f, 1.0f};
        for (int i = 1; i <= shared.AboutLineCount; ++i)
            display::TextAt(hx, (i - 1) * 20 + 115, shared.AboutLines[i], 1, 0);
    }
}

// The settings hint blinks yellow while the requested width is still the default.
void DrawHints() {
    const bool small = shared.ScreenWidth < 900;
    display::ResetDrawState();
    display::SelectFont(2, small ? 4 : 3);
    bool blink = shared.SettingsTable[kRequestedWidth] == 800 && platform::millisecs() % 800 < 400;
    display::SetDrawColour(255, 255, blink ? 0 : 255);
    display::TextAt(4, 4, "Hit [Tab] for settings", 0, 0);
    display::SetDrawColour(180, 255, 180);
    display::SelectFont(2, small ? 3 : 2);
    display::TextAt(4, 35, "Redefine Controls", 0, 0);
    display::TextAt(4, 55, "Audio Options", 0, 0);
    display::TextAt(4, 75, "and Hi-Def gaming!", 0, 0);
}

void StartRound(TitleLoop& t) {
    audio::PlaySfx(kChoiceEffect, 1.5f, 1, 0);
    shared.PauseState = kPauseAllowed;
    puzzle::PlayRound();
    shared.PauseState = kPauseNotAllowed;
    t.escapeLatch = t.startLatch = true;
    t.slideIn = 0;
    shared.HistoryScroll = 0;
    shared.PinnedIndex = 0;
}

void RunStartButton(TitleLoop& t, const Layout& l) {
    display::SetDrawColour(255, 150, 150);
    if (display::MouseInRect(l.cx - 200, l.h / 2 - 25 * t.slideIn + 760, 400, 80)) {
        display::SetDrawColour(255, 255, 255);
        if (t.previousButton && !t.startLatch && shared.SettingsPanelOffset < kPanelClosedBelow) StartRound(t);
    }
    display::SelectFontSlot(7);
    display::TextAt(l.cx, l.h / 2 + l.e, "Click Here to Start", 1, 1);
    t.previousButton = LeftHeld();
    if (!t.previousButton) t.startLatch = false;
}

void StepDifficulty(TitleLoop& t) {
    using settings::ControlHeld;
    auto held = [](int control) { return ControlHeld(control, 1) || ControlHeld(control, 2); };
    int& d = shared.Difficulty;
    if (!t.stepLatch && held(settings::kControlUp)) {
        t.stepLatch = true;
        d = d == 0 ? 2 : d - 1;
        audio::PlaySfx(kChoiceEffect, 0.95f, 1, 0);
    }
    if (!t.stepLatch && held(settings::kControlDown)) {
        t.stepLatch = true;
        d = d == 2 ? 0 : d + 1;
        audio::PlaySfx(kChoiceEffect, 1.05f, 1, 0);
    }
    if (!held(settings::kControlUp) && !held(settings::kControlDown)) t.stepLatch = false;
}

void RunDifficulty(TitleLoop& t, const Layout& l) {
    const char* const labels[3] = {"Easy", "Medium", "Hard"};
    display::SelectFont(2, 6);
    for (int k = 0; k < 3; ++k) {
        const int x = l.cx - 100, y = l.h / 2 + 200 + 50 * k - l.e;
        display::SetDrawColour(55, 55, 155, shared.Difficulty == k ? 1.0f : 0.5f);
        display::TextAt(x, y, labels[k], 0, 0);
        if (display::MouseInRect(x, y, 200, 40) && LeftHeld() && !t.pageLatch) {
            shared.Difficulty = k;
            audio::PlaySfx(kChoiceEffect, 1, 1, 0);
            t.pageLatch = true;
        }
    }
    StepDifficulty(t);
}

void ReleasePageLatch(TitleLoop& t) {
    if (LeftHeld()) return;
    for (int key : kPageKeys)
        if (platform::keyDown(key)) return;
    t.pageLatch = false;
}

void DrawLogo(const Layout& l) {
    display::SetDrawColour(255, 255, 255);
    const int h = platform::imageHeight(shared.GameLogo);
    platform::drawImage(shared.GameLogo, float(l.cx), float(l.h / 2 - h / 2 + l.e), 0);
}

// One frame; returns true when the player leaves.
bool RunFrame(TitleLoop& t) {
    display::BeginFrame(1);
    display::ResetDrawState();
    display::DrawBackdrop();
    DrawTitleArt(ComputeLayout(t.slideIn), t.slideIn);
    display::ResetDrawState();
    scores::SanitiseCredentials();
    if (t.slideIn < kSlideInFrames) ++t.slideIn;
    const Layout l = ComputeLayout(t.slideIn);
    DrawPanelAndTabs(t, l);
    ChoosePage(t, l);
    DrawPage(t, l);
    DrawHints();
    RunStartButton(t, l);
    RunDifficulty(t, l);
    ReleasePageLatch(t);
    DrawLogo(l);
    display::FrameService(1);
    if (!platform::keyDown(kKeyEscape)) t.escapeLatch = false;
    return !t.escapeLatch && platform::keyDown(kKeyEscape);
}

}  // namespace

void TitleScreen() {
    TitleLoop t;
    while (!RunFrame(t)) {
    }
}

}  // namespace app
