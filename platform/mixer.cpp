#include "platform/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

constexpr float kMinRate = 0.25f, kMaxRate = 4.0f;

// A NaN setting would poison every later mix, so it becomes a harmless value instead.
float clampOr(float value, float lo, float hi, float ifNaN) {
    return std::isnan(value) ? ifNaN : std::clamp(value, lo, hi);
}

}  // namespace

int Mixer::addSound(std::vector<float> samples) {
    int64_t frames = int64_t(samples.size()) / kChannels;
    if (frames == 0) return 0;
    int handle = nextSound_++;
    Sound& sound = sounds_[handle];
    sound.samples = std::move(samples);
    sound.frames = frames;
    return handle;
}

void Mixer::freeSound(int sound) {
    if (sounds_.erase(sound) == 0) return;
    for (Channel& channel : channels_) {
        if (channel.sound != sound) continue;
        channel.sound = 0;
        channel.data = nullptr;
        channel.playing = false;
    }
}

bool Mixer::soundKnown(int sound) const { return sounds_.count(sound) != 0; }

int64_t Mixer::soundFrames(int sound) const {
    auto it = sounds_.find(sound);
    return it == sounds_.end() ? 0 : it->second.frames;
}

int Mixer::allocChannel() {
    channels_.emplace_back();
    return int(channels_.size());
}

bool Mixer::channelKnown(int channel) const { return find(channel) != nullptr; }

Mixer::Channel* Mixer::find(int channel) {
    if (channel < 1 || size_t(channel) > channels_.size()) return nullptr;
    return &channels_[size_t(channel) - 1];
}

const Mixer::Channel* Mixer::find(int channel) const {
    return const_cast<Mixer*>(this)->find(channel);
}

bool Mixer::cue(int channel, int sound) {
    Channel* c = find(channel);
    auto it = sounds_.find(sound);
    if (!c || it == sounds_.end()) return false;
    c->sound = sound;
    c->data = &it->second;
    c->position = 0;
    c->playing = true;
    c->paused = true;
    return true;
}

void Mixer::resume(int channel) {
    if (Channel* c = find(channel)) c->paused = false;
}

void Mixer::stop(int channel) {
    if (Channel* c = find(channel)) c->playing = false;
}

bool Mixer::isPlaying(int channel) const {
    const Channel* c = find(channel);
    return c && c->playing;
}

double Mixer::position(int channel) const {
    const Channel* c = find(channel);
    return c ? c->position : 0;
}

void Mixer::setVolume(int channel, float volume) {
    if (Channel* c = find(channel)) c->volume = clampOr(volume, 0, 1, 0);
}

void Mixer::setPan(int channel, float pan) {
    if (Channel* c = find(channel)) c->pan = clampOr(pan, -1, 1, 0);
}

void Mixer::setRate(int channel, float rate) {
    if (Channel* c = find(channel)) c->rate = clampOr(rate, kMinRate, kMaxRate, 1);
}

bool Mixer::anyRunning() const {
    return std::any_of(channels_.begin(), channels_.end(),
                       [](const Channel& c) { return c.playing && !c.paused; });
}

void Mixer::mix(float* out, int frames) {
    if (frames <= 0) return;
    std::memset(out, 0, sizeof(float) * size_t(frames) * kChannels);
    for (Channel& channel : channels_) {
        if (channel.playing && !channel.paused) mixChannel(channel, out, frames);
    }
    for (size_t i = 0, n = size_t(frames) * kChannels; i < n; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

// Linear interpolation between neighbouring frames; the last frame pairs with itself.
void Mixer::mixChannel(Channel& channel, float* out, int frames) {
    const float* s = channel.data->samples.data();
    const int64_t last = channel.data->frames - 1;
    const float left = channel.volume * std::min(1.0f, 1.0f - channel.pan);
    const float right = channel.volume * std::min(1.0f, 1.0f + channel.pan);
    const double step = channel.rate;
    double pos = channel.position;
    for (int f = 0; f < frames; ++f) {
        int64_t i = int64_t(pos);
        if (i > last) break;
        int64_t j = i < last ? i + 1 : i;
        float t = float(pos - double(i));
        out[2 * f] += (s[2 * i] + (s[2 * j] - s[2 * i]) * t) * left;
        out[2 * f + 1] += (s[2 * i + 1] + (s[2 * j + 1] - s[2 * i + 1]) * t) * right;
        pos += step;
    }
    channel.position = pos;
    if (int64_t(pos) > last) channel.playing = false;
}

void Mixer::clear() {
    sounds_.clear();
    channels_.clear();
    nextSound_ = 1;
}

ChannelState Mixer::state(int channel) const {
    const Channel* c = find(channel);
    if (!c) return ChannelState{};
    return ChannelState{c->sound, c->volume, c->pan, c->rate, c->paused, c->playing};
}

}  // namespace platform
