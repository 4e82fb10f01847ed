// Audio drivers, sounds and the channel mixer. Handles are ints, 0 = none.
#pragma once
#include <string>
#include <vector>

namespace platform {

std::vector<std::string> audioDriverNames();
bool audioDriverKnown(const std::string& name);
// Opens the named driver; when it opens no device, falls back to the silent driver.
// Returns true when the named driver is the one now playing.
bool selectAudioDriver(const std::string& name);
std::string currentAudioDriver();
// There are no OpenAL drivers on this platform: always false.
bool enableOpenALDrivers();

int loadSound(const std::string& path);  // WAV, converted to the mixer's format
void freeSound(int sound);

int allocChannel();
// Prepares a sound paused on a channel; channel 0 allocates a new one. Returns the channel.
int cueSound(int sound, int channel = 0);
void resumeChannel(int channel);
void stopChannel(int channel);
bool channelPlaying(int channel);
void setChannelVolume(int channel, float volume);  // 0..1
void setChannelPan(int channel, float pan);        // -1 left .. 1 right
void setChannelRate(int channel, float rate);      // 0.25..4, 1 = as recorded

// What a channel holds now, for the overlay and for tests; sound 0 for an unknown channel.
struct ChannelState {
    int sound = 0;
    float volume = 0, pan = 0, rate = 1;
    bool paused = false, playing = false;
};
ChannelState channelState(int channel);

}  // namespace platform
