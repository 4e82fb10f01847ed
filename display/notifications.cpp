#include "display/notifications.h"

#include "app/shared_state.h"
#include "display/draw.h"
#include "platform/display.h"
#include "platform/font.h"

namespace display {

void PostNotification(const std::string& text, int c) {
    app::shared.Notifications.push_back(ment{0, text, c});
}

void DrawNotifications() {
    auto& list = app::shared.Notifications;
    int y = app::shared.VirtualHeight - 16;
    SetDrawScale(1, 1);
    SelectFontSlot(3);
    for (auto it = list.begin(); it != list.end();) {
        ment& note = *it;
        ++note.tick;
        bool fresh = note.tick < kNotificationHighlightFrames;
        if (fresh) SetDrawColour(255, 255, 0, 0.7f);
        else SetDrawColour(0, 0, 0, 0.7f);
        platform::drawRect(0, float(y), float(platform::textWidth(note.txt)), float(platform::fontHeight()));
        if (fresh) SetDrawColour(0, 0, 0, 1.0f);
        else SetDrawColour(255, 255, 255, 1.0f);
        TextAt(0, y, note.txt, 0, 0);
        y -= kNotificationSpacing;
        // Erasing returns the next record, so the walk goes on undisturbed.
        it = note.tick == kNotificationFrames ? list.erase(it) : std::next(it);
    }
}

}  // namespace display
