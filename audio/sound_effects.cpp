#include "audio/sound_effects.h"

#include <cstdio>
#include <string>

#include "app/shared_state.h"
#include "platform/audio.h"
#include "platform/files.h"

namespace audio {
namespace {

// Written so that a NaN fails each test and is replaced too.
float Clamp(float v, float lo, float hi) {
    if (!(v >= lo)) v = lo;
    if (!(v <= hi)) v = hi;
    return v;
}

int NextPoolSlot() {
    int& cursor = app::shared.SfxCursor;
    if (++cursor > kLastPoolSlot) cursor = kFirstPoolSlot;
    return cursor;
}

// Replaces a table entry, letting go of the sample the previous set-up loaded.
void LoadInto(int32_t& entry, const std::string& path) {
    if (entry != 0) platform::freeSound(entry);
    entry = platform::fileExists(path) ? platform::loadSound(path) : 0;
}

}  // namespace

float LevelVolume() {
    const auto& t = app::shared.SettingsTable;
    return float(t[app::kMasterLevel] * t[app::kSoundLevel]) / 100.0f / 100.0f;
}

void PlaySfx(int id, float rate, float volume, float pan) {
    auto& s = app::shared;
    if (s.SettingsTable[app::kSoundLevel] <= 0) return;
    if (id < 1 || id > kLastEffect || s.SfxSounds[id] == 0) return;
    int slot = NextPoolSlot();
    volume = Clamp(volume, 0, 1);
    rate = Clamp(rate, 0.25f, 4);
    pan = Clamp(pan, -1, 1);
    int& channel = s.SfxChannels[slot];
    // The oldest sound in the pool is cut off; a finished one leaves its channel for reuse.
    if (channel != 0 && platform::channelPlaying(channel)) {
        platform::stopChannel(channel);
        channel = 0;
    }
    if (channel == 0) channel = platform::allocChannel();
    platform::cueSound(s.SfxSounds[id], channel);
    platform::setChannelVolume(channel, LevelVolume() * volume);
    platform::setChannelPan(channel, pan);
    platform::setChannelRate(channel, rate);
    platform::resumeChannel(channel);
}

void PlayJingle() {
    auto& s = app::shared;
    s.SfxChannels[kJingleSlot] = platform::cueSound(s.BadgeSound, 0);
    int channel = s.SfxChannels[kJingleSlot];
    if (channel == 0) return;
    platform::setChannelVolume(channel, LevelVolume());
    platform::resumeChannel(channel);
}

void LoadMusicSamples() {
    auto& samples = app::shared.MusicSamples;
    const char* const parts[3] = {"music/bass", "music/lead", "music/accompany"};
    for (int i = 1; i <= 8; ++i) {
        LoadInto(samples[i], "music/d1-" + std::to_string(i) + ".wav");
        LoadInto(samples[i + 10], "music/d3-" + std::to_string(i) + ".wav");
        for (int p = 0; p < 3; ++p) {
            char name[40];
            std::snprintf(name, sizeof name, "%s%02d.wav", parts[p], i);
            LoadInto(samples[i + 20 + 10 * p], name);
        }
    }
}

}  // namespace audio
