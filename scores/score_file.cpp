#include "scores/score_file.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/shared_state.h"
#include "app/split_field.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "scores/scramble.h"

namespace scores {
namespace {

constexpr int kStages = 30;
const char* const kUnsafeCredentialChars = "*\"'-+&?{}[]~#\\/:;";

int32_t AbsoluteValue(const std::string& text) { return int32_t(std::llabs(app::IntegerValue(text))); }

std::string Field(const std::string& text, int n) { return app::SplitField(text, "|", n, 0); }

void Replace(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// A name holding the field separator or the split marker would shift its record's fields
// when read back, so those are written as "_".
std::string StorableName(std::string name) {
    Replace(name, SplitKey, "_");
    Replace(name, "|", "_");
    return name;
}

int MonthNumber(const std::string& upper) {
    const char* const months[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    for (int m = 0; m < 12; ++m)
        if (upper == months[m]) return m + 1;
    return 0;
}

// Sorted ascending by Compare: newest first.
bool NewestFirst(const ScoreRef& a, const ScoreRef& b) { return a->Compare(*b) < 0; }

void ReadCredentials(const std::string& line) {
    const std::string text = Unscramble(line, app::GameCode);
    app::shared.OnlineUser = Field(text, 1);
    app::shared.OnlinePassword = Field(text, 2);
}

}  // namespace

int64_t MakeTimestamp() {
    const std::string date = app::UpperCase(platform::currentDate()), time = platform::currentTime();
    const int64_t year = std::llabs(app::IntegerValue(date.substr(7, 4)));
    const int64_t month = MonthNumber(date.substr(3, 3));
    const int64_t day = std::llabs(app::IntegerValue(date.substr(0, 2)));
    const int64_t hour = std::llabs(app::IntegerValue(time.substr(0, 2)));
    const int64_t minute = std::llabs(app::IntegerValue(time.substr(3, 2)));
    const int64_t second = std::llabs(app::IntegerValue(time.substr(6, 2)));
    return ((((year * 12 + month) * 31 + day) * 24 + hour) * 60 + minute) * 60 + second;
}

void SanitiseCredentials() {
    for (std::string* text : {&app::shared.OnlineUser, &app::shared.OnlinePassword})
        for (char& c : *text)
            if (c != '\0' && std::strchr(kUnsafeCredentialChars, c)) c = '_';
}

std::string RecordText(const Scores& r) {
    std::string text = std::to_string(r.Score) + "|" + StorableName(r.Name) + "|" + std::to_string(r.Badges) + "|" +
                       std::to_string(r.Timestamp) + "|" + std::to_string(r.Level) + "|" + std::to_string(r.GameMode) +
                       "|" + std::to_string(r.GameFlags) + "|" + std::to_string(r.Quit) + SplitKey;
    for (int k = 1; k <= kStages; ++k) text += (k > 1 ? "|" : "") + std::to_string(r.Best[k]);
    return text;
}

bool ParseRecord(const std::string& text, Scores& r) {
    const size_t split = text.find(SplitKey);
    const std::string head = text.substr(0, split);
    const std::string tail = split == std::string::npos ? "" : text.substr(split + std::string(SplitKey).size());
    if (head.find('|') == std::string::npos) return false;
    r.Score = app::IntegerValue(Field(head, 1));
    r.Name = app::TrimControls(Field(head, 2));
    r.Badges = AbsoluteValue(Field(head, 3));
    r.Timestamp = app::IntegerValue(Field(head, 4));
    r.Level = AbsoluteValue(Field(head, 5));
    r.GameMode = AbsoluteValue(Field(head, 6));
    r.GameFlags = AbsoluteValue(Field(head, 7));
    r.Quit = AbsoluteValue(Field(head, 8));
    for (int k = 1; k <= kStages; ++k) r.Best[k] = AbsoluteValue(Field(tail, k));
    return true;
}

void AddScore(const ScoreRef& record) {
    auto& list = app::shared.LocalScores;
    list.push_back(record);
    list.sort(NewestFirst);  // stable
}

void LoadScores() {
    auto& s = app::shared;
    if (s.ScoresLoaded) return;  // re-reading would drop the rounds played since the start
    s.ScoresLoaded = true;
    std::vector<std::string> lines;
    if (!platform::fileExists(app::ScoreFile) || !platform::readLines(app::ScoreFile, lines)) return;
    ReadCredentials(lines.empty() ? "" : lines[0]);
    s.LocalScores.clear();
    int count = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string text = lines[i].size() > 2 ? Unscramble(lines[i], "") : lines[i];
        auto record = std::make_shared<Scores>();
        if (!ParseRecord(text, *record)) continue;
        if (++count == 1) s.PlayerName = record->Name;
        AddScore(record);
    }
}

bool SaveScores() {
    auto& s = app::shared;
    // Leaving before the file was read must not replace it with an empty list.
    if (!s.ScoresLoaded) return false;
    std::vector<std::string> lines{Scramble(s.OnlineUser + "|" + s.OnlinePassword, app::GameCode)};
    s.LocalScores.sort(NewestFirst);
    for (const ScoreRef& record : s.LocalScores) lines.push_back(Scramble(RecordText(*record), ""));
    return platform::replaceLines(app::ScoreFile, lines);
}

}  // namespace scores
