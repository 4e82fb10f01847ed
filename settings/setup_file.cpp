#include "settings/setup_file.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <vector>

#include "app/debug_log.h"
#include "app/shared_state.h"
#include "app/split_field.h"
#include "platform/files.h"

namespace settings {
namespace {

constexpr int kLastSlot = 99;
const char* const kSlowSystemLine =
    "ESS=1 ; This is a slow system, and things must run a wee bit slower for it.  Awww..";
const char* const kEngineNames[] = {"OpenGL", "DX9", "DX7"};

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = char(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
}

void ReadBinding(const std::string& value) {
    int slot = ReadSetupNumber(app::SplitField(value, ",", 1, 0));
    int code = ReadSetupNumber(app::SplitField(value, ",", 2, 0));
    // Slot 0 (player 1 up) counts too: the writer saves it, so it must come back.
    if (slot <= kLastSlot) app::shared.ControlKeys[slot] = code;
}

void ReadAudioDriver(const std::string& value) {
    auto& s = app::shared;
    s.AudioDriverChosen = 1;  // even an unknown name stops the default search
    for (size_t i = 0; i < s.AudioDriverNames.size(); ++i)
        if (s.AudioDriverNames[i] == value) s.SettingsTable[app::kAudioDriver] = int(i);
}

// Values other than the ones named leave the setting as it was, so a later "False" does not
// undo an earlier "True".
void ReadFullScreen(const std::string& value) {
    const std::string upper = app::UpperCase(value);
    if (upper != "TRUE" && upper != "ON") return;
    app::shared.SettingsTable[app::kFullScreen] = 1;
    app::DebugLog("\tSetting to Fullscreen");
}

void ReadEngine(const std::string& value) {
    const std::string upper = app::UpperCase(value);
    if (upper != "DX9" && upper != "DX7") return;
    app::shared.SettingsTable[app::kRenderer] = upper == "DX9" ? 1 : 2;
    app::DebugLog(upper == "DX9" ? "\tDirectX 9 Mode" : "\tDirectX 7 Mode");
}

int NumberTarget(const std::string& key) {
    if (key == "WIDTH") return app::kRequestedWidth;
    if (key == "HEIGHT") return app::kRequestedHeight;
    if (key == "MASTER") return app::kMasterLevel;
    if (key == "SOUND") return app::kSoundLevel;
    if (key == "MUSIC") return app::kMusicLevel;
    return 0;
}

void ReadLine(const std::string& line) {
    const std::string key = app::TrimControls(app::UpperCase(app::SplitField(line, "=", 1, 0)));
    const std::string value = app::TrimControls(app::SplitField(line, "=", 2, 0));
    if (key == "AUDIODRIVER") {
        ReadAudioDriver(value);
    } else if (key == "FULLSCREEN") {
        ReadFullScreen(value);
    } else if (key == "GFX ENGINE" || key == "GFXENGINE") {
        ReadEngine(value);
    } else if (key == "ESS") {
        app::shared.SettingsTable[app::kSlowSystem] = 1;
        app::DebugLog("\tAssuming Emergency Slow System values.");
    } else if (key == "KEY") {
        ReadBinding(value);
    } else if (int target = NumberTarget(key)) {
        app::shared.SettingsTable[target] = ReadSetupNumber(value);
    }
}

void AddGraphicsLines(std::vector<std::string>& lines) {
    auto& t = app::shared.SettingsTable;
    lines.push_back("[Graphics]");
    if (t[app::kFullScreen] == 0 || t[app::kFullScreen] == 1)
        lines.push_back(t[app::kFullScreen] == 1 ? "Fullscreen = True" : "Fullscreen = False");
    if (t[app::kRenderer] >= 0 && t[app::kRenderer] <= 2)
        lines.push_back(std::string("GFX Engine = ") + kEngineNames[t[app::kRenderer]]);
    lines.push_back("Width=" + std::to_string(t[app::kRequestedWidth]));
    lines.push_back("Height=" + std::to_string(t[app::kRequestedHeight]));
    if (t[app::kSlowSystem] == 1) lines.push_back(kSlowSystemLine);
    lines.push_back("");
}

void AddAudioLines(std::vector<std::string>& lines) {
    const auto& s = app::shared;
    const auto& t = s.SettingsTable;
    lines.push_back("[Audio]");
    lines.push_back("Master = " + std::to_string(t[app::kMasterLevel]));
    lines.push_back("Sound = " + std::to_string(t[app::kSoundLevel]));
    lines.push_back("Music = " + std::to_string(t[app::kMusicLevel]));
    const int driver = t[app::kAudioDriver];
    // With no name to save, no line: the next start searches for a driver again.
    if (driver >= 0 && driver < int(s.AudioDriverNames.size()))
        lines.push_back("AudioDriver = " + s.AudioDriverNames[size_t(driver)]);
    for (const std::string& name : s.AudioDriverNames) lines.push_back("; AudioDriver = " + name);
    lines.push_back("");
}

std::vector<std::string> SetupLines() {
    std::vector<std::string> lines;
    AddGraphicsLines(lines);
    AddAudioLines(lines);
    lines.push_back("[Controls]");
    const auto& keys = app::shared.ControlKeys;
    for (int slot = 0; slot <= kLastSlot; ++slot)
        if (keys[slot] > 0) lines.push_back("Key=" + std::to_string(slot) + "," + std::to_string(keys[slot]));
    return lines;
}

// Writes a temporary beside Setup.ini and renames it over the old file, so a crash or a full
// disk part-way leaves the old file whole.
}  // namespace

int ReadSetupNumber(const std::string& value) {
    size_t i = 0;
    while (i < value.size() && value[i] == ' ') ++i;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) ++i;
    int base = 10;
    if (i < value.size() && (value[i] == '$' || value[i] == '%')) base = value[i++] == '$' ? 16 : 2;
    int64_t number = 0;
    for (; i < value.size() && DigitValue(value[i]) < base; ++i)
        number = std::min<int64_t>(number * base + DigitValue(value[i]), INT_MAX);  // no overflow
    return int(number);  // the sign is dropped: the value is made non-negative
}

void ReadSetupFile() {
    std::vector<std::string> lines;
    platform::readLines(app::SetupFile, lines);
    if (lines.empty()) lines.push_back("");  // an empty file is one empty line
    for (const std::string& line : lines) ReadLine(line);
}

bool WriteSetupFile() {
    // Back to exactly where we were, whatever the folder was: the caller's paths depend on it.
    const std::string back = platform::currentFolder();
    if (back.empty() || !platform::changeFolder("..")) return false;
    const bool written = platform::replaceLines(app::SetupFile, SetupLines());
    platform::changeFolder(back);
    return written;
}

}  // namespace settings
