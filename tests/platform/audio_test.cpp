#include "platform/audio.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/clock.h"
#include "platform/internal.h"
#include "platform/mixer.h"
#include "platform/platform.h"
#include "tests/wav_fixture.h"

namespace {

namespace fs = std::filesystem;
using platform::Mixer;

using testsupport::putLE;
using testsupport::wavBytes;

// 16-bit stereo at the mixer's rate, every frame the same.
std::string steadyStereo(int frames, int16_t left, int16_t right) {
    std::string data;
    for (int i = 0; i < frames; ++i) {
        putLE(data, uint16_t(left), 2);
        putLE(data, uint16_t(right), 2);
    }
    return wavBytes(2, Mixer::kRate, 16, data);
}

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/audio-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        platform::shutdown();
        platform::internal::audioStop();
        fs::remove_all(dir_);
    }

    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    void startHeadless() {
        platform::Options options;
        options.headless = true;
        ASSERT_TRUE(platform::init(options));
    }

    std::string dir_;
};

TEST_F(AudioTest, WavFilesAreConvertedToFloatStereoAtTheMixerRate) {
    std::string monoData(2205, char(192));  // 8-bit silence is 128, so 192 is half scale
    std::string mono = write("mono8.wav", wavBytes(1, 22050, 8, monoData));
    std::string stereo = write("stereo16.wav", steadyStereo(1000, 16384, -8192));

    std::vector<float> samples;
    ASSERT_TRUE(platform::loadWavSamples(mono, samples));
    ASSERT_EQ(samples.size(), 2u * 4410u);
    // The resampler may soften the edges; the middle keeps the level on both sides.
    EXPECT_NEAR(samples[4410], 0.5f, 0.01f);
    EXPECT_NEAR(samples[4411], 0.5f, 0.01f);

    ASSERT_TRUE(platform::loadWavSamples(stereo, samples));
    ASSERT_EQ(samples.size(), 2u * 1000u);
    for (size_t i = 0; i < samples.size(); i += 2) {
        ASSERT_FLOAT_EQ(samples[i], 0.5f) << "frame " << i / 2;
        ASSERT_FLOAT_EQ(samples[i + 1], -0.25f) << "frame " << i / 2;
    }
}

TEST_F(AudioTest, UnreadableFilesGiveNoSound) {
    std::string good = steadyStereo(100, 1000, 1000);
    std::string notWav = good;
    notWav.replace(8, 4, "AVI ");
    const std::string paths[] = {
        dir_ + "/missing.wav",
        write("empty.wav", ""),
        write("garbage.wav", std::string(300, 'x')),
        write("cut-header.wav", good.substr(0, 30)),
        write("not-wave.wav", notWav),
        write("no-frames.wav", wavBytes(2, Mixer::kRate, 16, "")),
        write("zero-channels.wav", wavBytes(0, Mixer::kRate, 16, good.substr(44))),
    };
    for (const std::string& path : paths) {
        EXPECT_EQ(platform::loadSound(path), 0) << path;
        std::vector<float> samples;
        EXPECT_FALSE(platform::loadWavSamples(path, samples)) << path;
    }
}

// A data chunk cut short keeps the whole frames it has, as most players do.
TEST_F(AudioTest, CutDataKeepsTheFramesPresent) {
    std::string full = steadyStereo(100, 1000, 1000);
    std::vector<float> samples;
    ASSERT_TRUE(platform::loadWavSamples(write("cut.wav", full.substr(0, 44 + 4 * 60 + 2)), samples));
    EXPECT_EQ(samples.size(), 2u * 60u);
}

TEST_F(AudioTest, HeadlessPlaybackFollowsTheVirtualClock) {
    startHeadless();
    int sound = platform::loadSound(write("second.wav", steadyStereo(Mixer::kRate, 1000, 1000)));
    ASSERT_EQ(sound, 1);
    int channel = platform::cueSound(sound);
    ASSERT_EQ(channel, 1);
    platform::sleepMs(2000);
    EXPECT_TRUE(platform::channelPlaying(channel)) << "a cued channel waits, paused";
    platform::resumeChannel(channel);
    platform::sleepMs(500);
    EXPECT_TRUE(platform::channelPlaying(channel));
    platform::sleepMs(600);
    EXPECT_FALSE(platform::channelPlaying(channel));

    EXPECT_EQ(platform::cueSound(sound, channel), channel);
    platform::setChannelRate(channel, 2);
    platform::resumeChannel(channel);
    platform::sleepMs(450);
    EXPECT_TRUE(platform::channelPlaying(channel));
    platform::sleepMs(100);
    EXPECT_FALSE(platform::channelPlaying(channel));
}

TEST_F(AudioTest, HandlesAreCheckedAndStartAgainAfterShutdown) {
    startHeadless();
    std::string path = write("short.wav", steadyStereo(4410, 1000, 1000));
    int sound = platform::loadSound(path);
    ASSERT_NE(sound, 0);
    EXPECT_EQ(platform::cueSound(0), 0);
    EXPECT_EQ(platform::cueSound(sound + 1), 0);
    EXPECT_EQ(platform::cueSound(sound, 99), 0);
    EXPECT_FALSE(platform::channelPlaying(99));
    int channel = platform::allocChannel();
    EXPECT_EQ(platform::cueSound(sound, channel), channel);
    EXPECT_NE(platform::cueSound(sound), channel);
    platform::resumeChannel(channel);
    platform::freeSound(sound);
    EXPECT_FALSE(platform::channelPlaying(channel));
    EXPECT_EQ(platform::cueSound(sound, channel), 0);

    platform::shutdown();
    startHeadless();
    EXPECT_FALSE(platform::channelPlaying(channel));
    EXPECT_EQ(platform::loadSound(path), 1);
    EXPECT_EQ(platform::allocChannel(), 1);
}

TEST_F(AudioTest, HeadlessDriverChoiceIsRecordedButStaysSilent) {
    startHeadless();
    std::vector<std::string> names = platform::audioDriverNames();
    ASSERT_TRUE(platform::audioDriverKnown("dummy"));
    EXPECT_EQ(platform::currentAudioDriver(), "dummy");
    EXPECT_TRUE(platform::selectAudioDriver(names.front()));
    EXPECT_EQ(platform::currentAudioDriver(), names.front());
    EXPECT_FALSE(platform::selectAudioDriver("no-such-driver"));
    EXPECT_EQ(platform::currentAudioDriver(), "dummy");
    EXPECT_FALSE(platform::enableOpenALDrivers());
}

class RealAudioTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        platform::internal::clockStart(false);
        platform::internal::audioStart(false);
    }

    // Real time: the device thread has to drain the channel.
    static bool waitUntilSilent(int channel) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (platform::channelPlaying(channel)) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }
};

TEST_F(RealAudioTest, UnknownDriverFallsBackToSilenceThatStillPlays) {
    EXPECT_FALSE(platform::currentAudioDriver().empty());
    EXPECT_FALSE(platform::selectAudioDriver("no-such-driver"));
    EXPECT_EQ(platform::currentAudioDriver(), "dummy");
    int sound = platform::loadSound(write("blip.wav", steadyStereo(4410, 1000, 1000)));
    int channel = platform::cueSound(sound);
    platform::resumeChannel(channel);
    EXPECT_TRUE(waitUntilSilent(channel));
}

TEST_F(RealAudioTest, DiskDriverRecordsTheMix) {
    std::string output = dir_ + "/mix.raw";
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    bool selected = platform::selectAudioDriver("disk");
    unsetenv("SDL_DISKAUDIOFILE");
    ASSERT_TRUE(selected);
    EXPECT_EQ(platform::currentAudioDriver(), "disk");
    const int frames = 8820;
    int channel = platform::cueSound(platform::loadSound(write("tone.wav", steadyStereo(frames, 16384, 16384))));
    platform::setChannelPan(channel, -1);
    platform::resumeChannel(channel);
    ASSERT_TRUE(waitUntilSilent(channel));
    platform::internal::audioStop();  // closing the device flushes the file

    std::ifstream in(output, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> mix(bytes.size() / sizeof(float));
    std::memcpy(mix.data(), bytes.data(), mix.size() * sizeof(float));
    int loud = 0;
    for (size_t i = 0; i + 1 < mix.size(); i += 2) {
        loud += mix[i] == 0.5f;
        ASSERT_EQ(mix[i + 1], 0.0f) << "panned hard left";
    }
    EXPECT_EQ(loud, frames);
}

}  // namespace
