// Short messages stacked in the bottom-left corner for three seconds each.
#pragma once
#include <string>

namespace display {

constexpr int kNotificationFrames = 180;
constexpr int kNotificationHighlightFrames = 60;
constexpr int kNotificationSpacing = 14;

void PostNotification(const std::string& text, int c);
// Ages and draws every notification; called once per frame-service call.
void DrawNotifications();

}  // namespace display
