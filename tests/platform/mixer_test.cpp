#include "platform/mixer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::Mixer;

std::vector<float> constant(int frames, float left, float right) {
    std::vector<float> samples;
    for (int i = 0; i < frames; ++i) {
        samples.push_back(left);
        samples.push_back(right);
    }
    return samples;
}

std::vector<float> sine(int frames, double hz) {
    std::vector<float> samples;
    for (int i = 0; i < frames; ++i) {
        float v = float(std::sin(2 * M_PI * hz * (i + 0.5) / Mixer::kRate));
        samples.push_back(v);
        samples.push_back(v);
    }
    return samples;
}

std::vector<float> render(Mixer& mixer, int frames) {
    std::vector<float> out(size_t(frames) * 2, 99.0f);  // garbage that mix must overwrite
    mixer.mix(out.data(), frames);
    return out;
}

int zeroCrossings(const std::vector<float>& out) {
    int crossings = 0;
    for (size_t i = 2; i < out.size(); i += 2) crossings += (out[i - 2] < 0) != (out[i] < 0);
    return crossings;
}

// A channel already resumed on a fresh sound.
int startChannel(Mixer& mixer, int sound) {
    int channel = mixer.allocChannel();
    EXPECT_TRUE(mixer.cue(channel, sound));
    mixer.resume(channel);
    return channel;
}

TEST(MixerTest, CuedChannelStaysPausedAndSilentUntilResumed) {
    Mixer mixer;
    int sound = mixer.addSound(constant(100, 0.5f, 0.5f));
    int channel = mixer.allocChannel();
    EXPECT_EQ(sound, 1);
    EXPECT_EQ(channel, 1);
    ASSERT_TRUE(mixer.cue(channel, sound));
    EXPECT_TRUE(mixer.isPlaying(channel));  // cued counts as playing
    for (float v : render(mixer, 500)) ASSERT_EQ(v, 0.0f);
    EXPECT_TRUE(mixer.isPlaying(channel));
    EXPECT_EQ(mixer.position(channel), 0.0);
    mixer.resume(channel);
    EXPECT_FLOAT_EQ(render(mixer, 10)[0], 0.5f);
    EXPECT_EQ(mixer.position(channel), 10.0);
}

TEST(MixerTest, VolumeAndPanSetTheLevelOfEachSide) {
    struct Case {
        float volume, pan, left, right;
    };
    const Case cases[] = {
        {1, 0, 0.5f, 0.5f},        {0.5f, 0, 0.25f, 0.25f},  {1, -1, 0.5f, 0},
        {1, 1, 0, 0.5f},           {1, -0.5f, 0.5f, 0.25f},  {0.5f, 0.5f, 0.125f, 0.25f},
        {2, 0, 0.5f, 0.5f},        {-1, 0, 0, 0},            {1, -3, 0.5f, 0},
        {1, 3, 0, 0.5f},           {NAN, NAN, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
        Mixer mixer;
        int channel = startChannel(mixer, mixer.addSound(constant(10, 0.5f, 0.5f)));
        mixer.setVolume(channel, c.volume);
        mixer.setPan(channel, c.pan);
        std::vector<float> out = render(mixer, 4);
        EXPECT_FLOAT_EQ(out[6], c.left);
        EXPECT_FLOAT_EQ(out[7], c.right);
    }
}

TEST(MixerTest, RateSetsHowManyFramesASoundLasts) {
    struct Case {
        float rate;
        int frames;
    };
    const Case cases[] = {{1, 1000}, {2, 500}, {0.5f, 2000}, {4, 250}, {10, 250}, {0.1f, 4000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "rate " << c.rate);
        Mixer mixer;
        int channel = startChannel(mixer, mixer.addSound(constant(1000, 0.5f, 0.5f)));
        mixer.setRate(channel, c.rate);
        std::vector<float> out = render(mixer, c.frames - 1);
        EXPECT_TRUE(mixer.isPlaying(channel));
        EXPECT_FLOAT_EQ(out.back(), 0.5f);
        out = render(mixer, 2);
        EXPECT_FLOAT_EQ(out[0], 0.5f);
        EXPECT_EQ(out[2], 0.0f);
        EXPECT_FALSE(mixer.isPlaying(channel));
    }
}

TEST(MixerTest, DoubleRateDoublesThePitch) {
    Mixer mixer;
    int sound = mixer.addSound(sine(Mixer::kRate, 441));
    int normal = startChannel(mixer, sound);
    int normalCrossings = zeroCrossings(render(mixer, Mixer::kRate / 2));
    mixer.stop(normal);
    int fast = startChannel(mixer, sound);
    mixer.setRate(fast, 2);
    int fastCrossings = zeroCrossings(render(mixer, Mixer::kRate / 2));
    EXPECT_NEAR(normalCrossings, 441, 1);
    EXPECT_NEAR(fastCrossings, 882, 1);
}

TEST(MixerTest, SlowRateInterpolatesBetweenFramesAndHoldsTheLast) {
    Mixer mixer;
    int channel = startChannel(mixer, mixer.addSound({0, 0, 0.8f, -0.8f}));
    mixer.setRate(channel, 0.5f);
    std::vector<float> out = render(mixer, 5);
    const float expected[] = {0, 0, 0.4f, -0.4f, 0.8f, -0.8f, 0.8f, -0.8f, 0, 0};
    for (size_t i = 0; i < 10; ++i) EXPECT_FLOAT_EQ(out[i], expected[i]) << "sample " << i;
    EXPECT_FALSE(mixer.isPlaying(channel));
}

TEST(MixerTest, ChannelsAddUpAndTheSumIsClipped) {
    Mixer mixer;
    startChannel(mixer, mixer.addSound(constant(10, 0.3f, -0.3f)));
    startChannel(mixer, mixer.addSound(constant(20, 0.4f, -0.4f)));
    std::vector<float> out = render(mixer, 20);
    EXPECT_FLOAT_EQ(out[0], 0.7f);
    EXPECT_FLOAT_EQ(out[1], -0.7f);
    EXPECT_FLOAT_EQ(out[2 * 15], 0.4f);  // the shorter one has ended
    startChannel(mixer, mixer.addSound(constant(10, 0.9f, -0.9f)));
    startChannel(mixer, mixer.addSound(constant(10, 0.9f, -0.9f)));
    out = render(mixer, 1);
    EXPECT_EQ(out[0], 1.0f);
    EXPECT_EQ(out[1], -1.0f);
}

TEST(MixerTest, StoppedOrEndedChannelsFallSilent) {
    Mixer mixer;
    int sound = mixer.addSound(constant(100, 0.5f, 0.5f));
    int stopped = startChannel(mixer, sound);
    mixer.stop(stopped);
    EXPECT_FALSE(mixer.isPlaying(stopped));
    mixer.resume(stopped);  // resuming does not revive a stopped channel
    EXPECT_FALSE(mixer.isPlaying(stopped));
    for (float v : render(mixer, 10)) ASSERT_EQ(v, 0.0f);

    int ending = startChannel(mixer, sound);
    std::vector<float> out = render(mixer, 150);
    EXPECT_FLOAT_EQ(out[2 * 99], 0.5f);
    EXPECT_EQ(out[2 * 100], 0.0f);
    EXPECT_FALSE(mixer.isPlaying(ending));
    EXPECT_FALSE(mixer.anyRunning());
}

TEST(MixerTest, CueingAgainRestartsTheChannelWithTheNewSound) {
    Mixer mixer;
    int first = mixer.addSound(constant(100, 0.5f, 0.5f));
    int second = mixer.addSound(constant(100, 0.25f, 0.25f));
    int channel = startChannel(mixer, first);
    render(mixer, 100);
    EXPECT_FALSE(mixer.isPlaying(channel));
    ASSERT_TRUE(mixer.cue(channel, second));
    EXPECT_TRUE(mixer.isPlaying(channel));
    EXPECT_EQ(mixer.position(channel), 0.0);
    EXPECT_EQ(render(mixer, 1)[0], 0.0f);  // paused again
    mixer.resume(channel);
    EXPECT_FLOAT_EQ(render(mixer, 1)[0], 0.25f);
}

TEST(MixerTest, FreeingASoundStopsItsChannelsOnly) {
    Mixer mixer;
    int doomed = mixer.addSound(constant(100, 0.5f, 0.5f));
    int kept = mixer.addSound(constant(100, 0.25f, 0.25f));
    int a = startChannel(mixer, doomed), b = startChannel(mixer, doomed), c = startChannel(mixer, kept);
    mixer.freeSound(doomed);
    EXPECT_FALSE(mixer.isPlaying(a));
    EXPECT_FALSE(mixer.isPlaying(b));
    EXPECT_TRUE(mixer.isPlaying(c));
    EXPECT_FLOAT_EQ(render(mixer, 1)[0], 0.25f);
    EXPECT_FALSE(mixer.cue(a, doomed));
    EXPECT_FALSE(mixer.soundKnown(doomed));
    EXPECT_EQ(mixer.addSound(constant(1, 0, 0)), 3);  // freed handles are not handed out again
}

TEST(MixerTest, UnknownHandlesAreIgnored) {
    Mixer mixer;
    int sound = mixer.addSound(constant(10, 0.5f, 0.5f));
    EXPECT_EQ(mixer.addSound({}), 0);
    EXPECT_FALSE(mixer.cue(0, sound));
    EXPECT_FALSE(mixer.cue(7, sound));
    int channel = mixer.allocChannel();
    EXPECT_FALSE(mixer.cue(channel, 0));
    EXPECT_FALSE(mixer.cue(channel, 42));
    for (int bad : {-1, 0, 2}) {
        mixer.resume(bad);
        mixer.stop(bad);
        mixer.setVolume(bad, 1);
        mixer.setPan(bad, 1);
        mixer.setRate(bad, 1);
        EXPECT_FALSE(mixer.isPlaying(bad));
    }
    mixer.freeSound(42);
    EXPECT_TRUE(mixer.soundKnown(sound));
    EXPECT_FALSE(mixer.isPlaying(channel));
}

TEST(MixerTest, ClearForgetsEverythingAndRestartsHandles) {
    Mixer mixer;
    int channel = startChannel(mixer, mixer.addSound(constant(10, 0.5f, 0.5f)));
    mixer.clear();
    EXPECT_FALSE(mixer.isPlaying(channel));
    EXPECT_FALSE(mixer.soundKnown(1));
    EXPECT_EQ(mixer.addSound(constant(10, 0.5f, 0.5f)), 1);
    EXPECT_EQ(mixer.allocChannel(), 1);
}

}  // namespace
