// The software channel mixer behind the audio service: no device, no locking, just sample maths.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/audio.h"

namespace platform {

// Sounds are float stereo interleaved at kRate; the output is the same. Sound and channel
// handles are ints from 1, 0 = none. A channel is "playing" from the moment a sound is cued
// on it (even while paused) until it is stopped or its sound runs out.
class Mixer {
public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    int addSound(std::vector<float> samples);  // interleaved stereo; 0 when empty
    void freeSound(int sound);                 // stops the channels that play it
    bool soundKnown(int sound) const;
    int64_t soundFrames(int sound) const;

    int allocChannel();
    bool channelKnown(int channel) const;
    // Puts the sound on the channel paused at its start, replacing what the channel played.
    bool cue(int channel, int sound);
    void resume(int channel);
    void stop(int channel);
    bool isPlaying(int channel) const;
    double position(int channel) const;  // in frames of the sound
    void setVolume(int channel, float volume);
    void setPan(int channel, float pan);
    void setRate(int channel, float rate);
    ChannelState state(int channel) const;

    // Renders the sum of the running channels, clipped to -1..1, and moves them on.
    void mix(float* out, int frames);
    bool anyRunning() const;  // some channel would add to the next mix
    void clear();             // forgets every sound and channel; handles start from 1 again

private:
    struct Sound {
        std::vector<float> samples;
        int64_t frames = 0;
    };
    struct Channel {
        int sound = 0;
        const Sound* data = nullptr;
        double position = 0;
        float volume = 1, pan = 0, rate = 1;
        bool playing = false, paused = false;
    };

    Channel* find(int channel);
    const Channel* find(int channel) const;
    static void mixChannel(Channel& channel, float* out, int frames);

    std::unordered_map<int, Sound> sounds_;
    std::vector<Channel> channels_;
    int nextSound_ = 1;
};

// Reads a WAV file as float stereo at Mixer::kRate; false when it is missing or unreadable.
// Lives in audio.cpp, next to the SDL code it needs.
bool loadWavSamples(const std::string& path, std::vector<float>& samples);

}  // namespace platform
