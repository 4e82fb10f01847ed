#include "app/about.h"

#include "app/shared_state.h"

namespace app {
namespace {

// The face credited in each font line is the free face shipped under that file name.
const char* const kAboutText[] = {
    "A Game by Tolmarsh",
    "tavik.example/forum | tavik.example/weekly",  // short enough for the narrow panel
    "",
    "-=-=--=-=-=-=-=-=-=-=-",
    "Instructions",
    "",
    "Slide the tiles so that",
    "they end up in the",
    "correct places.",
    "",
    nullptr,  // the tagline
    "-=-=--=-=-=-=-=-=-=-=-",
    "",
    "Credits",
    "",
    "Game",
    "Made with Kestrel",
    "using Tolmarsh's Framework",
    "",
    "Graphics",
    "Font : SVBasicManual by Steve Matteson",
    "Font : November by Dave Crossland",
    "Font : Blue Highway by Dharma Type",
    "Font : Acknowledge TT by Fontworks",
    "All other graphics by Tolmarsh",
    "",
    "Music/SFX by Tolmarsh",
    "",
    "Additional Sound Effects",
    "created using",
    "assetgen by the Tavik Morrow developers",
    "tavik.example/assetgen",
};

}  // namespace

void FillAboutLines() {
    shared.AboutLineCount = 1;
    for (const char* line : kAboutText) {
        shared.AboutLines[shared.AboutLineCount++] = line ? line : std::string(Tagline) + "!";
    }
}

}  // namespace app
