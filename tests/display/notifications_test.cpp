#include "display/notifications.h"

#include <gtest/gtest.h>

#include "app/shared_state.h"
#include "display/draw.h"
#include "platform/display.h"
#include "platform/font.h"
#include "platform/image.h"
#include "tests/headless.h"

namespace {

class NotificationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::StartHeadless());
        ASSERT_TRUE(platform::openDisplay(1280, 960, 0, 60));
        platform::setVirtualResolution(1280, 960);
        app::ResetSharedState();
        grab_ = platform::createImage(1, 960, 1, 0);
    }
    void TearDown() override { platform::shutdown(); }
    // One frame: the colour at the left edge of each line's box, from the bottom up.
    uint32_t FrameAt(int y) {
        display::BeginFrame(1);
        display::ResetDrawState();
        display::DrawNotifications();
        platform::grabBackBuffer(grab_, 0, 0);
        return platform::readPixel(grab_, 0, y) & 0xFFFFFF;
    }
    int grab_ = 0;
};

TEST_F(NotificationsTest, OneLineAgesFromYellowToBlackAndGoesAfter180Calls) {
    display::PostNotification("Saved Screenshot", 1);
    const int boxY = 960 - 16;
    for (int call = 1; call <= 181; ++call) {
        uint32_t colour = FrameAt(boxY);
        SCOPED_TRACE(call);
        EXPECT_EQ(colour, call < 60 ? 0xB3B300u : 0u);  // yellow, then black, at 0.7 over black
        EXPECT_EQ(app::shared.Notifications.size(), call < 180 ? 1u : 0u);  // drawn 180 times
    }
    EXPECT_TRUE(app::shared.Notifications.empty());
}

TEST_F(NotificationsTest, LinesStackUpwardInPostOrderAndDropWhenTheOldestExpires) {
    display::PostNotification("first", 1);
    display::SelectFontSlot(3);
    for (int i = 0; i < 150; ++i) FrameAt(0);
    display::PostNotification("second", 1);
    display::PostNotification("third", 1);
    // The font is taller than 14, so each newer box overlaps the top of the one below.
    ASSERT_GT(platform::fontHeight(), 14);
    EXPECT_EQ(FrameAt(960 - 44), 0xB3B300u);  // "third" starts 44 units up...
    EXPECT_EQ(FrameAt(960 - 45), 0u);
    EXPECT_EQ(FrameAt(960 - 30), 0xE8E800u);  // ...over "second", 30 up: two yellow layers
    for (int i = 0; i < 27; ++i) FrameAt(0);  // "first" reaches 180 calls on the last of these
    ASSERT_EQ(app::shared.Notifications.size(), 2u);
    EXPECT_EQ(app::shared.Notifications.front().txt, "second");
    EXPECT_EQ(FrameAt(960 - 30), 0xB3B300u);  // "third" dropped 14 units
    EXPECT_EQ(FrameAt(960 - 44), 0u);
}

}  // namespace
