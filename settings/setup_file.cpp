#include "settings/setup_file.h"

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

std::string Trim(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

std::string Upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = char(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
}

void ApplyKey(const std::string& value) {
    int slot = ReadSetupNumber(app::SplitField(value, ",", 1, 0));
    int code = ReadSetupNumber(app::SplitField(value, ",", 2, 0));
    // Slot 0 counts too: the writer saves it, so it must come back.
    if (slot >= 0 && slot <= kLastSlot) app::shared.ControlKeys[slot] = code;
}

void ApplyGraphics(const std::string& key, const std::string& value) {
    auto& t = app::shared.SettingsTable;
    std::string upper = Upper(value);
    if (key == "FULLSCREEN" && (upper == "TRUE" || upper == "ON")) {
        t[app::kFullScreen] = 1;
        app::DebugLog("\tSetting to Fullscreen");
    } else if ((key == "GFX ENGINE" || key == "GFXENGINE") && (upper == "DX9" || upper == "DX7")) {
        t[app::kRenderer] = upper == "DX9" ? 1 : 2;
        app::DebugLog(upper == "DX9" ? "\tDirectX 9 Mode" : "\tDirectX 7 Mode");
    } else if (key == "ESS") {
        t[app::kSlowSystem] = 1;
        app::DebugLog("\tAssuming Emergency Slow System values.");
    }
}

void ApplyLine(const std::string& line) {
    auto& s = app::shared;
    auto& t = s.SettingsTable;
    const std::string key = Trim(Upper(app::SplitField(line, "=", 1, 0)));
    const std::string value = Trim(app::SplitField(line, "=", 2, 0));
    if (key == "AUDIODRIVER") {
        s.AudioDriverChosen = 1;
        for (size_t i = 0; i < s.AudioDriverNames.size(); ++i)
            if (s.AudioDriverNames[i] == value) t[app::kAudioDriver] = int(i);
    }
    ApplyGraphics(key, value);
    if (key == "WIDTH") t[app::kRequestedWidth] = ReadSetupNumber(value);
    if (key == "HEIGHT") t[app::kRequestedHeight] = ReadSetupNumber(value);
    if (key == "KEY") ApplyKey(value);
    if (key == "MASTER") t[app::kMasterLevel] = ReadSetupNumber(value);
    if (key == "SOUND") t[app::kSoundLevel] = ReadSetupNumber(value);
    if (key == "MUSIC") t[app::kMusicLevel] = ReadSetupNumber(value);
}

std::vector<std::string> SetupLines() {
    const auto& s = app::shared;
    auto& t = app::shared.SettingsTable;
    std::vector<std::string> lines = {"[Graphics]"};
    if (t[app::kFullScreen] == 0 || t[app::kFullScreen] == 1)
        lines.push_back(t[app::kFullScreen] ? "Fullscreen = True" : "Fullscreen = False");
    const char* const engines[] = {"OpenGL", "DX9", "DX7"};
    if (t[app::kRenderer] >= 0 && t[app::kRenderer] <= 2)
        lines.push_back(std::string("GFX Engine = ") + engines[t[app::kRenderer]]);
    lines.push_back("Width=" + std::to_string(t[app::kRequestedWidth]));
    lines.push_back("Height=" + std::to_string(t[app::kRequestedHeight]));
    if (t[app::kSlowSystem] == 1) lines.push_back(kSlowSystemLine);
    lines.insert(lines.end(), {"", "[Audio]", "Master = " + std::to_string(t[app::kMasterLevel]),
                               "Sound = " + std::to_string(t[app::kSoundLevel]),
                               "Music = " + std::to_string(t[app::kMusicLevel])});
    int driver = t[app::kAudioDriver];
    // Without a name to save, no line: the next start searches for a driver again.
    if (driver >= 0 && driver < int(s.AudioDriverNames.size()))
        lines.push_back("AudioDriver = " + s.AudioDriverNames[size_t(driver)]);
    for (const std::string& name : s.AudioDriverNames) lines.push_back("; AudioDriver = " + name);
    lines.insert(lines.end(), {"", "[Controls]"});
    for (int slot = 0; slot <= kLastSlot; ++slot)
        if (app::shared.ControlKeys[slot] > 0)
            lines.push_back("Key=" + std::to_string(slot) + "," + std::to_string(app::shared.ControlKeys[slot]));
    return lines;
}

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
    if (lines.empty()) lines.push_back("");
    for (const std::string& line : lines) ApplyLine(line);
}

bool WriteSetupFile() {
    const std::string back = platform::currentFolder();
    if (!platform::changeFolder("..")) return false;
    const std::string temporary = std::string(app::SetupFile) + ".new";
    bool written = platform::writeLines(temporary, SetupLines()) && platform::renameFile(temporary, app::SetupFile);
    if (!written) platform::deleteFile(temporary);
    platform::changeFolder(back);
    return written;
}

}  // namespace settings
