#include "settings/setup_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/debug_log.h"
#include "app/shared_state.h"
#include "app/startup.h"
#include "platform/files.h"
#include "tests/temp_path.h"

namespace {

const char* const kFullScreenLog = "\tSetting to Fullscreen\r\n";
const char* const kSlowLog = "\tAssuming Emergency Slow System values.\r\n";
const char* const kSlowLine = "ESS=1 ; This is a slow system, and things must run a wee bit slower for it.  Awww..\r\n";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void Defaults() {
    app::ResetSharedState();
    app::SetDefaultSettings();
    app::shared.AudioDriverNames = {"A", "B"};
}

// Everything the file can carry, none of it at its default.
void VariedState(app::SharedState& s) {
    s.SettingsTable[app::kFullScreen] = 1;
    s.SettingsTable[app::kRenderer] = 2;
    s.SettingsTable[app::kSlowSystem] = 1;
    s.SettingsTable[app::kRequestedWidth] = 1280;
    s.SettingsTable[app::kRequestedHeight] = 720;
    s.SettingsTable[app::kMasterLevel] = 100;
    s.SettingsTable[app::kSoundLevel] = 0;
    s.SettingsTable[app::kMusicLevel] = 7;
    s.SettingsTable[app::kAudioDriver] = 1;
    s.ControlKeys[0] = 87;
    s.ControlKeys[3] = 65;
    s.ControlKeys[99] = 300;
}

// A Files/287/ tree in a scratch folder; each test starts inside Files/, as start-up does.
class SetupFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = platform::currentFolder();
        root_ = testsupport::tempPath("setup-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        files_ = root_ + "/Files";
        std::filesystem::create_directories(files_ + "/287");
        ASSERT_TRUE(platform::changeFolder(files_));
        Defaults();
        app::OpenDebugLog(root_ + "/log.txt");
    }
    void TearDown() override {
        app::CloseDebugLog();
        platform::changeFolder(home_);
        std::filesystem::remove_all(root_);
    }
    void ReadFrom(const std::string& text) {
        std::ofstream(files_ + "/Setup.ini", std::ios::binary) << text;
        settings::ReadSetupFile();
    }
    std::string Log() {
        app::CloseDebugLog();
        return ReadAll(root_ + "/log.txt");
    }
    // Written the way the game writes it: from the game folder, which it must come back to.
    bool Write() {
        EXPECT_TRUE(platform::changeFolder(files_ + "/287"));
        bool written = settings::WriteSetupFile();
        EXPECT_EQ(platform::currentFolder(), files_ + "/287");
        EXPECT_TRUE(platform::changeFolder(files_));
        return written;
    }
    std::string home_, root_, files_;
};

TEST(SetupNumberTest, LeadingIntegersInEveryForm) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {{"1024", 1024}, {"  42xyz", 42}, {"-30", 30}, {"+7", 7}, {"$20", 32}, {"$fF", 255},
                          {"%101", 5}, {"%102", 2}, {"-$10", 16}, {"abc", 0}, {"", 0}, {"$", 0},
                          {"--5", 0}, {"1.5", 1}, {"99999999999", 2147483647}};
    for (const Case& c : cases) EXPECT_EQ(settings::ReadSetupNumber(c.text), c.value) << c.text;
}

// Each line read on its own over the defaults: exactly the named entry changes, nothing else.
TEST_F(SetupFileTest, EachLineSetsOnlyWhatItNames) {
    enum Target { kNothing, kSetting, kSlot };
    struct Case {
        const char* line;
        Target target = kNothing;
        int index = 0, value = 0;
        const char* log = "";
        int chosen = 0;
    };
    const Case cases[] = {
        {"fullscreen=on", kSetting, app::kFullScreen, 1, kFullScreenLog},
        {"Fullscreen = True", kSetting, app::kFullScreen, 1, kFullScreenLog},
        {"FULLSCREEN = yes"},
        {"gfxengine = dx7", kSetting, app::kRenderer, 2, "\tDirectX 7 Mode\r\n"},
        {"GFX Engine = DX9", kSetting, app::kRenderer, 1, "\tDirectX 9 Mode\r\n"},
        {"GFX Engine = DirectX9"},
        {"ESS=0", kSetting, app::kSlowSystem, 1, kSlowLog},
        {"  ess  ", kSetting, app::kSlowSystem, 1, kSlowLog},  // no "=": key and value are the line
        {"Width=1024", kSetting, app::kRequestedWidth, 1024},
        {"width = abc", kSetting, app::kRequestedWidth, 0},
        {"Width 1024"},
        {"Height=-768", kSetting, app::kRequestedHeight, 768},
        {"Master = -30", kSetting, app::kMasterLevel, 30},
        {"Master = $20", kSetting, app::kMasterLevel, 32},
        {"Sound=%1010", kSetting, app::kSoundLevel, 10},
        {"Music = 500", kSetting, app::kMusicLevel, 500},
        {"Key=99,50", kSlot, 99, 50},
        {"Key=100,50"},
        {"Key=-5,-65", kSlot, 5, 65},
        {"Key=0,50", kSlot, 0, 50},
        {"key = $C , 7", kSlot, 12, 7},
        {"Key=12", kSlot, 12, 12},  // field 2 of a text without "," is the whole text
        {"Key=3,none", kSlot, 3, 0},
        {"AudioDriver = B", kSetting, app::kAudioDriver, 1, "", 1},
        {"AudioDriver = b", kNothing, 0, 0, "", 1},  // no match, but the default search is off
        {"AudioDriver = 1", kNothing, 0, 0, "", 1},  // a name, not an index
        {"[Graphics]"},
        {"; Master = 1"},
        {""},
        {"Volume = 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Defaults();
        app::SharedState expected = app::shared;
        if (c.target == kSetting) expected.SettingsTable[c.index] = c.value;
        if (c.target == kSlot) expected.ControlKeys[c.index] = c.value;
        app::OpenDebugLog(root_ + "/log.txt");
        ReadFrom(std::string(c.line) + "\r\n");
        for (int i = 0; i < app::kSettingsEntries; ++i)
            EXPECT_EQ(app::shared.SettingsTable[i], expected.SettingsTable[i]) << "setting " << i;
        for (int i = 0; i < app::kControlSlots; ++i)
            EXPECT_EQ(app::shared.ControlKeys[i], expected.ControlKeys[i]) << "slot " << i;
        EXPECT_EQ(app::shared.AudioDriverChosen, c.chosen);
        EXPECT_EQ(Log(), c.log);
    }
}

TEST_F(SetupFileTest, LaterLinesThatMatchNoValueUndoNothing) {
    ReadFrom("Fullscreen = True\r\nFullscreen = False\r\nGFX Engine = DX9\r\nGFX Engine = OpenGL\n"
             "AudioDriver = B\r\nAudioDriver = C\nWidth=1\nWidth=2");  // the last line has no ending
    const auto& t = app::shared.SettingsTable;
    EXPECT_EQ(t[app::kFullScreen], 1);
    EXPECT_EQ(t[app::kRenderer], 1);
    EXPECT_EQ(t[app::kAudioDriver], 1);
    EXPECT_EQ(t[app::kRequestedWidth], 2);
    EXPECT_EQ(Log(), std::string(kFullScreenLog) + "\tDirectX 9 Mode\r\n");
}

TEST_F(SetupFileTest, WritesTheLayoutByteForByte) {
    struct Case {
        const char* name;
        void (*prepare)(app::SharedState&);
        std::string expected;
    };
    const std::string controls =
        "[Controls]\r\nKey=0,38\r\nKey=3,37\r\nKey=5,39\r\nKey=8,40\r\nKey=10,90\r\nKey=11,88\r\nKey=12,67\r\n"
        "Key=13,86\r\n";
    const Case cases[] = {
        {"defaults", [](app::SharedState&) {},
         "[Graphics]\r\nFullscreen = False\r\nGFX Engine = OpenGL\r\nWidth=800\r\nHeight=600\r\n\r\n"
         "[Audio]\r\nMaster = 50\r\nSound = 50\r\nMusic = 50\r\nAudioDriver = A\r\n"
         "; AudioDriver = A\r\n; AudioDriver = B\r\n\r\n" + controls},
        {"varied, with slots the file never carries",
         [](app::SharedState& s) {
             VariedState(s);
             s.ControlKeys[5] = 0;
             s.ControlKeys[100] = 5;
         },
         "[Graphics]\r\nFullscreen = True\r\nGFX Engine = DX7\r\nWidth=1280\r\nHeight=720\r\n" +
             std::string(kSlowLine) +
             "\r\n[Audio]\r\nMaster = 100\r\nSound = 0\r\nMusic = 7\r\nAudioDriver = B\r\n"
             "; AudioDriver = A\r\n; AudioDriver = B\r\n\r\n"
             "[Controls]\r\nKey=0,87\r\nKey=3,65\r\nKey=8,40\r\nKey=10,90\r\nKey=11,88\r\nKey=12,67\r\n"
             "Key=13,86\r\nKey=99,300\r\n"},
        {"values without a line",
         [](app::SharedState& s) {
             s.SettingsTable[app::kFullScreen] = 2;
             s.SettingsTable[app::kRenderer] = 3;
             s.SettingsTable[app::kSlowSystem] = 2;
             s.SettingsTable[app::kAudioDriver] = 2;
         },
         "[Graphics]\r\nWidth=800\r\nHeight=600\r\n\r\n[Audio]\r\nMaster = 50\r\nSound = 50\r\nMusic = 50\r\n"
         "; AudioDriver = A\r\n; AudioDriver = B\r\n\r\n" + controls},
        {"no drivers",
         [](app::SharedState& s) {
             s.AudioDriverNames.clear();
             s.SettingsTable[app::kRenderer] = 1;
         },
         "[Graphics]\r\nFullscreen = False\r\nGFX Engine = DX9\r\nWidth=800\r\nHeight=600\r\n\r\n"
         "[Audio]\r\nMaster = 50\r\nSound = 50\r\nMusic = 50\r\n\r\n" + controls},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Defaults();
        c.prepare(app::shared);
        ASSERT_TRUE(Write());
        EXPECT_EQ(ReadAll(files_ + "/Setup.ini"), c.expected);
        EXPECT_FALSE(platform::fileExists(files_ + "/Setup.ini.new"));
    }
}

TEST_F(SetupFileTest, WhatIsWrittenReadsBackTheSame) {
    VariedState(app::shared);
    const app::SharedState saved = app::shared;
    ASSERT_TRUE(Write());
    Defaults();
    settings::ReadSetupFile();
    for (int i = 0; i < app::kSettingsEntries; ++i)
        EXPECT_EQ(app::shared.SettingsTable[i], saved.SettingsTable[i]) << "setting " << i;
    for (int i = 0; i < app::kControlSlots; ++i)
        EXPECT_EQ(app::shared.ControlKeys[i], saved.ControlKeys[i]) << "slot " << i;  // slot 0 too
    EXPECT_EQ(app::shared.AudioDriverChosen, 1);
}

// Whatever stops the write, the old file stays whole and no temporary of ours is left behind.
TEST_F(SetupFileTest, AFailedWriteLeavesTheOldFileWhole) {
    struct Case {
        const char* name;
        bool (*prepare)(const std::string& temporary);
        bool temporaryStays;  // not ours: we never opened it
    };
    const Case cases[] = {
        {"temporary cannot be created", [](const std::string& t) { return ::mkdir(t.c_str(), 0755) == 0; }, true},
        {"disk full",
         [](const std::string& t) {
             return std::filesystem::is_character_file("/dev/full") && ::symlink("/dev/full", t.c_str()) == 0;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string temporary = files_ + "/Setup.ini.new";
        std::filesystem::remove_all(temporary);
        std::ofstream(files_ + "/Setup.ini", std::ios::binary) << "Width=1024\r\n";
        ASSERT_TRUE(c.prepare(temporary));
        EXPECT_FALSE(Write());
        // A regular file still: a device renamed over it would also be read without end.
        ASSERT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(files_ + "/Setup.ini")));
        EXPECT_EQ(ReadAll(files_ + "/Setup.ini"), "Width=1024\r\n");
        std::error_code error;
        EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(temporary, error)), c.temporaryStays);
    }
}

TEST_F(SetupFileTest, AFailedReplaceRemovesTheTemporary) {
    std::filesystem::create_directories(files_ + "/Setup.ini/inside");  // nothing can be renamed onto it
    EXPECT_FALSE(Write());
    EXPECT_TRUE(std::filesystem::is_directory(files_ + "/Setup.ini/inside"));
    EXPECT_FALSE(platform::fileExists(files_ + "/Setup.ini.new"));
}

}  // namespace
