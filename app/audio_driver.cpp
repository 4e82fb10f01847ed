#include "app/audio_driver.h"

#include <algorithm>
#include <cctype>

#include "app/debug_log.h"
#include "app/shared_state.h"
#include "platform/audio.h"

namespace app {
namespace {

bool startsWith(const std::string& name, const std::string& prefix) {
    if (name.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != prefix[i]) return false;
    return true;
}

}  // namespace

int ChooseAudioDriverIndex(const std::vector<std::string>& names, int currentIndex, int& chosen) {
    if (chosen) return currentIndex;
    int index = currentIndex;
    for (size_t i = 0; i < names.size(); ++i) {
        bool preferred = startsWith(names[i], "OPENAL") || startsWith(names[i], "FREE");
        if ((preferred && !chosen) || startsWith(names[i], "DIRECT")) {
            index = int(i);
            chosen = 1;
        }
    }
    return index;
}

void ChooseAudioDriver() {
    auto& s = shared;
    s.SettingsTable[kAudioDriver] = ChooseAudioDriverIndex(s.AudioDriverNames, s.SettingsTable[kAudioDriver],
                                                           s.AudioDriverChosen);
    DebugLog("Setting Audio Driver");
    int index = s.SettingsTable[kAudioDriver];
    if (index >= 0 && index < int(s.AudioDriverNames.size())) {
        const std::string& name = s.AudioDriverNames[size_t(index)];
        if (platform::audioDriverKnown(name) &&
            (!startsWith(name, "OPENAL") || platform::enableOpenALDrivers()))
            platform::selectAudioDriver(name);
    }
    DebugLog("Set Audio Driver");
    DebugLog("");
}

}  // namespace app
