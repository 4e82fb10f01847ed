#include "app/shared_state.h"

#include <gtest/gtest.h>

#include "app/about.h"
#include "app/startup.h"

namespace {

TEST(SharedStateTest, TablesCatchBadIndexesWithoutTouchingTheirNeighbours) {
    app::ResetSharedState();
    auto& s = app::shared;
    EXPECT_EQ(s.SettingsTable.size(), 100);
    EXPECT_EQ(s.Board.size(), 1000);
    EXPECT_EQ(s.ModeWidths.size(), 2500);
    s.SettingsTable[99] = 7;
    s.SettingsTable[100] = 42;  // one past the end
    s.SettingsTable[-1] = 42;
    EXPECT_EQ(s.SettingsTable[99], 7);
    EXPECT_EQ(s.SettingsTable[0], 0);
    EXPECT_EQ(s.SettingsTable[100], 0);  // the scratch element is cleared on every bad access
    EXPECT_EQ(s.ControlKeys[0], 0);
}

TEST(SharedStateTest, IdentityDefaultsAndAboutText) {
    app::ResetSharedState();
    EXPECT_EQ(app::TitleLine(), "#287 : Tavik Morrow");
    EXPECT_EQ(app::GameFolder(), "287/");
    app::SetDefaultSettings();
    auto& s = app::shared;
    EXPECT_EQ(s.SettingsTable[app::kRequestedWidth], 800);
    EXPECT_EQ(s.SettingsTable[app::kRequestedHeight], 600);
    for (int level : {app::kMasterLevel, app::kSoundLevel, app::kMusicLevel}) EXPECT_EQ(s.SettingsTable[level], 50);
    EXPECT_EQ(s.SettingsTable[app::kRenderer], 0);
    const int slots[] = {0, 3, 5, 8, 10, 11, 12, 13}, codes[] = {38, 37, 39, 40, 90, 88, 67, 86};
    int bound = 0;
    for (int slot = 0; slot < 101; ++slot) bound += s.ControlKeys[slot] != 0;
    EXPECT_EQ(bound, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(s.ControlKeys[slots[i]], codes[i]);
    app::FillAboutLines();
    EXPECT_EQ(s.AboutLineCount, 33);
    EXPECT_EQ(s.AboutLines[1], "A Game by Tolmarsh");
    EXPECT_EQ(s.AboutLines[4], "-=-=--=-=-=-=-=-=-=-=-");
    EXPECT_EQ(s.AboutLines[4].size(), 22u);
    EXPECT_EQ(s.AboutLines[11], "Glimmerwick!");
    EXPECT_EQ(s.AboutLines[21].rfind("Font : SVBasicManual by ", 0), 0u);
    EXPECT_FALSE(s.AboutLines[32].empty());
}

}  // namespace
