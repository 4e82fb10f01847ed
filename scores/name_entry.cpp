#include "scores/name_entry.h"

#include "app/shared_state.h"
#include "display/draw.h"
#include "display/frame_service.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/input.h"

namespace scores {
namespace {

constexpr int kKeyBackspace = 8, kKeyEnter = 13, kKeyEscape = 27;

// A key still held from the end of the round must not confirm the name at once, and the one
// that confirms it must not reach the next screen.
void WaitForRelease() {
    while (platform::keyDown(kKeyEscape) || platform::keyDown(kKeyEnter) || platform::mouseDown(1)) {
    }
}

bool Confirmed() {
    const bool enterHit = platform::keyHits(kKeyEnter) > 0;
    return enterHit || platform::mouseDown(1) || platform::keyDown(kKeyEscape);
}

// The name is centred without its cursor, so it stays still while the cursor blinks.
void DrawName() {
    auto& s = app::shared;
    display::SetDrawColour(0, 255, 0);
    display::SelectFontSlot(6);
    display::TextAt(s.VirtualWidth / 2, s.VirtualHeight / 2 - 100, "Enter Your Name", 1, 1);
    display::SelectFontSlot(5);
    const char* cursor = platform::millisecs() % 600 < 300 ? "_" : " ";
    const int width = platform::textWidth(s.PlayerName);
    display::TextAt(s.VirtualWidth / 2 - width / 2, s.VirtualHeight / 2, s.PlayerName + cursor, 0, 1);
}

}  // namespace

std::string EditLine(const std::string& text) {
    std::string out = text;
    const int typed = platform::nextTypedChar();
    if (typed >= 32) out += char(typed);
    if (platform::keyHits(kKeyBackspace) > 0 && !out.empty()) out.pop_back();
    return out;
}

void NameEntryScreen() {
    auto& s = app::shared;
    platform::flushInput();
    WaitForRelease();
    bool confirmed = false;
    while (!confirmed) {
        display::BeginFrame(1);
        display::DrawBackdrop();
        s.PlayerName = EditLine(s.PlayerName);
        DrawName();
        confirmed = Confirmed();
        display::FrameService(1);
    }
    platform::seedRandom(platform::millisecs());
    WaitForRelease();
}

}  // namespace scores
