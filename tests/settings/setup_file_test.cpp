#include "settings/setup_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "app/debug_log.h"
#include "app/shared_state.h"
#include "app/startup.h"
#include "platform/files.h"
#include "tests/temp_path.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A Files/287/ tree in a scratch folder; the test runs inside Files/ or Files/287/.
class SetupFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = platform::currentFolder();
        root_ = testsupport::tempPath("setup") + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::mkdir(root_.c_str(), 0755);
        ::mkdir((root_ + "/Files").c_str(), 0755);
        ::mkdir((root_ + "/Files/287").c_str(), 0755);
        ASSERT_TRUE(platform::changeFolder(root_ + "/Files"));
        app::ResetSharedState();
        app::SetDefaultSettings();
        app::shared.AudioDriverNames = {"A", "B"};
        app::OpenDebugLog(root_ + "/log.txt");
    }
    void TearDown() override {
        app::CloseDebugLog();
        platform::changeFolder(home_);
    }
    void ReadFrom(const std::string& text) {
        std::ofstream(root_ + "/Files/Setup.ini", std::ios::binary) << text;
        settings::ReadSetupFile();
    }
    std::string Log() {
        app::CloseDebugLog();
        return ReadAll(root_ + "/log.txt");
    }
    std::string home_, root_;
};

TEST(SetupNumberTest, LeadingIntegersInEveryForm) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {{"1024", 1024}, {"  42xyz", 42}, {"-30", 30}, {"+7", 7}, {"$20", 32}, {"$fF", 255},
                          {"%101", 5}, {"%102", 2}, {"-$10", 16}, {"abc", 0}, {"", 0}, {"$", 0},
                          {"--5", 0}, {"99999999999", 2147483647}};
    for (const Case& c : cases) EXPECT_EQ(settings::ReadSetupNumber(c.text), c.value) << c.text;
}

TEST_F(SetupFileTest, LinesSetWhatTheyNameAndNothingElse) {
    ReadFrom("fullscreen=on\n"
             "gfxengine = dx7\n"
             "ESS=0\n"
             "Width=abc\n"
             "Height = 768\r\n"
             "Master = -30\n"
             "Sound = $20\n"
             "Music=500\n"
             "Width 1024\n"
             "[Graphics]\n"
             "; Master = 1\n"
             "Key=99,50\nKey=100,51\nKey=-5,-65\nKey=0,50\nKey=7\n"
             "AudioDriver = b\n");
    const auto& s = app::shared;
    EXPECT_EQ(s.SettingsTable[app::kFullScreen], 1);
    EXPECT_EQ(s.SettingsTable[app::kRenderer], 2);
    EXPECT_EQ(s.SettingsTable[app::kSlowSystem], 1);
    EXPECT_EQ(s.SettingsTable[app::kRequestedWidth], 0);
    EXPECT_EQ(s.SettingsTable[app::kRequestedHeight], 768);
    EXPECT_EQ(s.SettingsTable[app::kMasterLevel], 30);
    EXPECT_EQ(s.SettingsTable[app::kSoundLevel], 32);
    EXPECT_EQ(s.SettingsTable[app::kMusicLevel], 500);
    EXPECT_EQ(s.ControlKeys[99], 50);
    EXPECT_EQ(s.ControlKeys[5], 65);
    EXPECT_EQ(s.ControlKeys[0], 50);  // slot 0 is read like the others
    EXPECT_EQ(s.ControlKeys[7], 7);  // a lone number is both fields: field 2 of "7" is "7"
    EXPECT_EQ(s.SettingsTable[app::kAudioDriver], 0);  // case differs: no match...
    EXPECT_EQ(s.AudioDriverChosen, 1);                 // ...but the search is skipped
    EXPECT_EQ(Log(), "\tSetting to Fullscreen\r\n\tDirectX 7 Mode\r\n\tAssuming Emergency Slow System values.\r\n");
}

TEST_F(SetupFileTest, ValuesThatDoNotMatchLeaveTheSettingAlone) {
    ReadFrom("FULLSCREEN = yes\nGFX Engine = DirectX9\nFullscreen = True\nFullscreen = False\n"
             "GFX Engine = DX9\nAudioDriver = B");
    EXPECT_EQ(app::shared.SettingsTable[app::kFullScreen], 1);
    EXPECT_EQ(app::shared.SettingsTable[app::kRenderer], 1);
    EXPECT_EQ(app::shared.SettingsTable[app::kAudioDriver], 1);
    EXPECT_EQ(Log(), "\tSetting to Fullscreen\r\n\tDirectX 9 Mode\r\n");
    ReadFrom("");  // an empty file is one empty line: nothing changes
    EXPECT_EQ(app::shared.SettingsTable[app::kRequestedWidth], 800);
}

TEST_F(SetupFileTest, WritesTheDocumentedLayoutAndReadsItBack) {
    ASSERT_TRUE(platform::changeFolder("287"));
    ASSERT_TRUE(settings::WriteSetupFile());
    EXPECT_EQ(platform::currentFolder(), root_ + "/Files/287");
    const std::string expected =
        "[Graphics]\r\nFullscreen = False\r\nGFX Engine = OpenGL\r\nWidth=800\r\nHeight=600\r\n\r\n"
        "[Audio]\r\nMaster = 50\r\nSound = 50\r\nMusic = 50\r\nAudioDriver = A\r\n"
        "; AudioDriver = A\r\n; AudioDriver = B\r\n\r\n"
        "[Controls]\r\nKey=0,38\r\nKey=3,37\r\nKey=5,39\r\nKey=8,40\r\nKey=10,90\r\nKey=11,88\r\n"
        "Key=12,67\r\nKey=13,86\r\n";
    EXPECT_EQ(ReadAll(root_ + "/Files/Setup.ini"), expected);

    // Changed settings and a slot-0 binding survive the round trip.
    auto& s = app::shared;
    s.SettingsTable[app::kFullScreen] = 1;
    s.SettingsTable[app::kRenderer] = 2;
    s.SettingsTable[app::kSlowSystem] = 1;
    s.SettingsTable[app::kRequestedWidth] = 1280;
    s.SettingsTable[app::kSoundLevel] = 0;
    s.SettingsTable[app::kAudioDriver] = 1;
    s.ControlKeys[0] = 87;
    s.ControlKeys[3] = 0;
    s.ControlKeys[45] = 333;
    ASSERT_TRUE(settings::WriteSetupFile());
    EXPECT_NE(ReadAll(root_ + "/Files/Setup.ini").find("\r\nESS=1 ; This is a slow system, and things must run a "
                                                      "wee bit slower for it.  Awww..\r\n"),
              std::string::npos);
    const auto saved = s;
    app::ResetSharedState();
    app::SetDefaultSettings();
    s.AudioDriverNames = {"A", "B"};
    ASSERT_TRUE(platform::changeFolder(".."));
    settings::ReadSetupFile();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(s.SettingsTable[i], saved.SettingsTable[i]) << "setting " << i;
    for (int i = 0; i < 100; ++i) EXPECT_EQ(s.ControlKeys[i], saved.ControlKeys[i] == 0 && i == 3 ? 37 : saved.ControlKeys[i]) << "slot " << i;
}

TEST_F(SetupFileTest, AFailedWriteLeavesTheOldFileWhole) {
    std::ofstream(root_ + "/Files/Setup.ini", std::ios::binary) << "Width=1024\r\n";
    ::mkdir((root_ + "/Files/Setup.ini.new").c_str(), 0755);  // the temporary cannot be written
    ASSERT_TRUE(platform::changeFolder("287"));
    EXPECT_FALSE(settings::WriteSetupFile());
    EXPECT_EQ(platform::currentFolder(), root_ + "/Files/287");
    EXPECT_EQ(ReadAll(root_ + "/Files/Setup.ini"), "Width=1024\r\n");
}

}  // namespace
