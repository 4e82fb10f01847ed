#include "audio/sound_effects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "app/shared_state.h"
#include "app/startup.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "tests/headless.h"
#include "tests/wav_fixture.h"

namespace {

class SoundEffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::StartHeadless());
        app::ResetSharedState();
        app::SetDefaultSettings();
        std::string path = testsupport::tempPath("effect.wav");
        std::ofstream(path, std::ios::binary) << testsupport::wavBytes(1, 22050, 8, std::string(22050, char(200)));
        sound_ = platform::loadSound(path);
        ASSERT_NE(sound_, 0);
        app::shared.SfxSounds[98] = sound_;
    }
    void TearDown() override { platform::shutdown(); }
    platform::ChannelState Slot(int slot) { return platform::channelState(app::shared.SfxChannels[slot]); }
    int sound_ = 0;
};

TEST_F(SoundEffectsTest, EffectsTakeTheNextPoolSlotWithClampedSettings) {
    struct Case {
        float rate, volume, pan;
        float wantRate, wantVolume, wantPan;
    };
    const Case cases[] = {
        {1.0f, 1.0f, 0.0f, 1.0f, 0.25f, 0.0f},  // levels 50 and 50: a quarter
        {8.0f, 1.5f, -3.0f, 4.0f, 0.25f, -1.0f},
        {0.1f, 0.5f, 2.0f, 0.25f, 0.125f, 1.0f},
        {NAN, NAN, NAN, 0.25f, 0.0f, -1.0f},
        {1.05f, 1.0f, 0.0f, 1.05f, 0.25f, 0.0f},
    };
    int slot = 21;  // the first effect after start-up
    for (const Case& c : cases) {
        audio::PlaySfx(98, c.rate, c.volume, c.pan);
        EXPECT_EQ(app::shared.SfxCursor, slot);
        platform::ChannelState st = Slot(slot);
        EXPECT_EQ(st.sound, sound_);
        EXPECT_TRUE(st.playing);
        EXPECT_FALSE(st.paused);
        EXPECT_FLOAT_EQ(st.rate, c.wantRate);
        EXPECT_FLOAT_EQ(st.volume, c.wantVolume);
        EXPECT_FLOAT_EQ(st.pan, c.wantPan);
        ++slot;
    }
}

TEST_F(SoundEffectsTest, NothingHappensWithoutSoundLevelOrSample) {
    app::shared.SettingsTable[app::kSoundLevel] = 0;
    audio::PlaySfx(98, 1, 1, 0);
    audio::PlaySfx(2, 1, 1, 0);
    EXPECT_EQ(app::shared.SfxCursor, 20);
    EXPECT_EQ(app::shared.SfxChannels[21], 0);
    app::shared.SettingsTable[app::kSoundLevel] = 50;
    audio::PlaySfx(2, 1, 1, 0);  // no sample for effect 2
    EXPECT_EQ(app::shared.SfxCursor, 20);
    app::shared.SettingsTable[app::kMasterLevel] = 0;  // silent, but still takes a slot
    audio::PlaySfx(98, 1, 1, 0);
    EXPECT_EQ(app::shared.SfxCursor, 21);
    EXPECT_FLOAT_EQ(Slot(21).volume, 0.0f);
}

TEST_F(SoundEffectsTest, LevelsAboveAHundredStillGiveAtMostFullVolume) {
    app::shared.SettingsTable[app::kMasterLevel] = 500;  // Setup.ini values are not range-checked
    app::shared.SettingsTable[app::kSoundLevel] = 300;
    audio::PlaySfx(98, 1, 1, 0);
    EXPECT_FLOAT_EQ(Slot(21).volume, 1.0f);
}

TEST_F(SoundEffectsTest, ThePoolWrapsAndCutsOffOnlySoundsStillPlaying) {
    app::shared.SfxCursor = 254;
    audio::PlaySfx(98, 1, 1, 0);
    audio::PlaySfx(98, 1, 1, 0);
    audio::PlaySfx(98, 1, 1, 0);
    EXPECT_EQ(app::shared.SfxCursor, 21);
    int first = app::shared.SfxChannels[255];
    int wrapped = app::shared.SfxChannels[20];
    EXPECT_NE(wrapped, 0);
    // Slot 255 comes round again while its sound plays: a new channel replaces it.
    app::shared.SfxCursor = 254;
    audio::PlaySfx(98, 1, 1, 0);
    EXPECT_NE(app::shared.SfxChannels[255], first);
    EXPECT_FALSE(platform::channelPlaying(first));
    // Once the one-second sound has ended, slot 20 keeps and reuses its channel.
    platform::sleepMs(1500);
    app::shared.SfxCursor = 19;
    audio::PlaySfx(98, 1, 1, 0);
    EXPECT_EQ(app::shared.SfxChannels[20], wrapped);
    EXPECT_TRUE(platform::channelPlaying(wrapped));
}

TEST_F(SoundEffectsTest, TheJinglePlaysAtTheLevelProductRegardlessOfTheSoundLevel) {
    app::shared.BadgeSound = sound_;
    app::shared.SettingsTable[app::kMasterLevel] = 100;
    audio::PlayJingle();
    EXPECT_FLOAT_EQ(platform::channelState(app::shared.SfxChannels[256]).volume, 0.5f);
    EXPECT_TRUE(platform::channelPlaying(app::shared.SfxChannels[256]));
    app::shared.BadgeSound = 0;  // no sample: no channel
    audio::PlayJingle();
    EXPECT_EQ(app::shared.SfxChannels[256], 0);
}

}  // namespace
