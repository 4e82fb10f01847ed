#include "platform/audio.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/internal.h"
#include "platform/mixer.h"

namespace platform {
namespace {

constexpr int kDeviceFrames = 1024;
constexpr const char* kSilentDriver = "dummy";

struct AudioState {
    Mixer mixer;
    bool headless = false;
    SDL_AudioDeviceID device = 0;
    std::string headlessDriver = kSilentDriver;  // headless runs only record the choice
    int64_t mixedFrames = 0;                     // headless: frames the virtual sink has taken
    std::vector<float> scratch;
};
AudioState audio;

void fillDevice(void*, Uint8* stream, int bytes) {
    audio.mixer.mix(reinterpret_cast<float*>(stream), bytes / int(sizeof(float) * Mixer::kChannels));
}

// Headless runs have no device pulling samples, so the mixer is run up to the virtual clock
// before every call: whether a sound still plays then depends on virtual time alone.
void catchUp() {
    int64_t target = internal::clockMicros() * Mixer::kRate / 1000000;
    int64_t due = target - audio.mixedFrames;
    audio.mixedFrames = target;
    audio.scratch.resize(size_t(kDeviceFrames) * Mixer::kChannels);
    while (due > 0 && audio.mixer.anyRunning()) {
        int frames = int(std::min<int64_t>(due, kDeviceFrames));
        audio.mixer.mix(audio.scratch.data(), frames);
        due -= frames;
    }
}

// Every touch of the mixer from the game thread goes through one of these.
class MixerAccess {
public:
    MixerAccess() {
        if (audio.device) SDL_LockAudioDevice(audio.device);
        else if (audio.headless) catchUp();
    }
    ~MixerAccess() {
        if (audio.device) SDL_UnlockAudioDevice(audio.device);
    }
    MixerAccess(const MixerAccess&) = delete;
    MixerAccess& operator=(const MixerAccess&) = delete;
    Mixer* operator->() { return &audio.mixer; }
};

void closeDevice() {
    if (audio.device) SDL_CloseAudioDevice(audio.device);
    audio.device = 0;
}

bool openDevice() {
    SDL_AudioSpec want{};
    want.freq = Mixer::kRate;
    want.format = AUDIO_F32SYS;
    want.channels = Mixer::kChannels;
    want.samples = kDeviceFrames;
    want.callback = fillDevice;
    // No allowed changes: SDL converts to whatever the hardware wants behind our back.
    audio.device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (audio.device) SDL_PauseAudioDevice(audio.device, 0);
    return audio.device != 0;
}

bool startDriver(const char* name) {
    closeDevice();
    SDL_AudioQuit();
    return SDL_AudioInit(name) == 0 && openDevice();
}

// A driver can initialise and still open nothing (ALSA without a sound card), hence the fallback.
bool openDriverOrSilence(const char* name) {
    if (startDriver(name)) return true;
    startDriver(kSilentDriver);
    return false;
}

bool convertToMixerFormat(const SDL_AudioSpec& spec, const Uint8* data, Uint32 length,
                          std::vector<float>& out) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_F32SYS, Mixer::kChannels,
                          Mixer::kRate) < 0)
        return false;
    Uint32 frameBytes = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
    length -= length % frameBytes;
    if (length == 0 || uint64_t(length) * uint64_t(cvt.len_mult) > INT_MAX) return false;
    std::vector<Uint8> work(size_t(length) * size_t(cvt.len_mult));
    std::memcpy(work.data(), data, length);
    cvt.buf = work.data();
    cvt.len = int(length);
    if (SDL_ConvertAudio(&cvt) < 0) return false;
    out.resize(size_t(cvt.len_cvt) / sizeof(float));
    std::memcpy(out.data(), work.data(), out.size() * sizeof(float));
    return true;
}

}  // namespace

namespace internal {

bool audioStart(bool silentOnly) {
    audioStop();
    audio.headless = silentOnly;
    if (silentOnly) {
        audio.mixedFrames = clockMicros() * Mixer::kRate / 1000000;
        return true;
    }
    openDriverOrSilence(nullptr);
    return audio.device != 0;
}

void audioStop() {
    closeDevice();
    if (!audio.headless) SDL_AudioQuit();
    audio.mixer.clear();
    audio.headless = false;
    audio.headlessDriver = kSilentDriver;
    audio.mixedFrames = 0;
}

}  // namespace internal

std::vector<std::string> audioDriverNames() {
    std::vector<std::string> names;
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) names.emplace_back(SDL_GetAudioDriver(i));
    return names;
}

bool audioDriverKnown(const std::string& name) {
    std::vector<std::string> names = audioDriverNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool selectAudioDriver(const std::string& name) {
    if (audio.headless) {
        bool known = audioDriverKnown(name);
        audio.headlessDriver = known ? name : kSilentDriver;
        return known;
    }
    return openDriverOrSilence(name.c_str());
}

std::string currentAudioDriver() {
    if (audio.headless) return audio.headlessDriver;
    const char* name = audio.device ? SDL_GetCurrentAudioDriver() : nullptr;
    return name ? name : "";
}

bool enableOpenALDrivers() { return false; }

bool loadWavSamples(const std::string& path, std::vector<float>& samples) {
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    samples.clear();
    if (!SDL_LoadWAV(path.c_str(), &spec, &data, &length)) return false;
    bool converted = convertToMixerFormat(spec, data, length, samples);
    SDL_FreeWAV(data);
    return converted && !samples.empty();
}

int loadSound(const std::string& path) {
    std::vector<float> samples;
    if (!loadWavSamples(path, samples)) return 0;
    return MixerAccess()->addSound(std::move(samples));
}

void freeSound(int sound) { MixerAccess()->freeSound(sound); }

int allocChannel() { return MixerAccess()->allocChannel(); }

int cueSound(int sound, int channel) {
    MixerAccess mixer;
    if (!mixer->soundKnown(sound)) return 0;
    if (channel == 0) channel = mixer->allocChannel();
    return mixer->cue(channel, sound) ? channel : 0;
}

void resumeChannel(int channel) { MixerAccess()->resume(channel); }
void stopChannel(int channel) { MixerAccess()->stop(channel); }
bool channelPlaying(int channel) { return MixerAccess()->isPlaying(channel); }
void setChannelVolume(int channel, float volume) { MixerAccess()->setVolume(channel, volume); }
void setChannelPan(int channel, float pan) { MixerAccess()->setPan(channel, pan); }
void setChannelRate(int channel, float rate) { MixerAccess()->setRate(channel, rate); }
ChannelState channelState(int channel) { return MixerAccess()->state(channel); }

}  // namespace platform
