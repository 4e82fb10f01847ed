#include "app/audio_driver.h"

#include <gtest/gtest.h>

namespace {

TEST(AudioDriverTest, PreferredNamesWinInTheirOrder) {
    struct Case {
        std::vector<std::string> names;
        int start;
        int chosenBefore;
        int expected;
        int chosenAfter;
    };
    const Case cases[] = {
        // This machine's kind of list: nothing preferred, the index stays.
        {{"pulseaudio", "alsa", "sndio", "disk", "dummy"}, 0, 0, 0, 0},
        {{"pulseaudio", "alsa"}, 1, 0, 1, 0},
        {{"OpenAL Generic", "FreeAudio", "DirectSound", "DirectSound 2"}, 0, 0, 3, 1},
        {{"alsa", "FreeAudio", "OpenAL Soft"}, 0, 0, 1, 1},
        {{"alsa", "openal soft"}, 0, 0, 1, 1},  // compared upper-cased
        {{"DirectSound", "OpenAL"}, 0, 0, 0, 1},
        {{"Direct", "OPENA"}, 0, 0, 0, 1},
        {{"OPENA", "FRE"}, 1, 0, 1, 0},  // too short to match
        {{"DirectSound"}, 0, 1, 0, 1},  // the setup file already chose: nothing is searched
        {{}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        int chosen = c.chosenBefore;
        EXPECT_EQ(app::ChooseAudioDriverIndex(c.names, c.start, chosen), c.expected)
            << (c.names.empty() ? "(none)" : c.names[0]);
        EXPECT_EQ(chosen, c.chosenAfter);
    }
}

}  // namespace
