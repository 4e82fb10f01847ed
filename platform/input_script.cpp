#include "platform/input_script.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/input.h"

namespace platform::script {
namespace {

constexpr int kJoystickButtons = 20;
const char* const kAxisNames[6] = {"x", "y", "z", "r", "u", "v"};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Cuts the comment and the trailing blanks; '#' glued to a word stays (so "type" text can hold it).
std::string withoutComment(const std::string& line) {
    size_t end = line.size();
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || isBlank(line[i - 1]))) {
            end = i;
            break;
        }
    while (end > 0 && isBlank(line[end - 1])) --end;
    return line.substr(0, end);
}

std::string lowered(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Reads one line a word at a time; rest() takes what is left after a single separator.
class Words {
public:
    explicit Words(const std::string& text) : text_(text) {}
    std::string next() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
        size_t start = pos_;
        while (pos_ < text_.size() && !isBlank(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }
    std::string rest() {
        if (pos_ < text_.size()) ++pos_;
        std::string out = text_.substr(std::min(pos_, text_.size()));
        pos_ = text_.size();
        return out;
    }
    bool atEnd() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
        return pos_ >= text_.size();
    }

private:
    std::string text_;
    size_t pos_ = 0;
};

bool toInt(const std::string& word, long lo, long hi, long& out) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtol(word.c_str(), &end, 10);
    return *end == '\0' && errno == 0 && out >= lo && out <= hi;
}

bool toFloat(const std::string& word, float lo, float hi, float& out) {
    if (word.empty()) return false;
    char* end = nullptr;
    out = std::strtof(word.c_str(), &end);
    return *end == '\0' && std::isfinite(out) && out >= lo && out <= hi;
}

int mouseButton(const std::string& word) {
    std::string w = lowered(word);
    return w == "left" ? 1 : w == "right" ? 2 : w == "middle" ? 3 : 0;
}

int axisIndex(const std::string& word) {
    for (int i = 0; i < 6; ++i)
        if (lowered(word) == kAxisNames[i]) return i;
    return -1;
}

bool parseUpDown(const std::string& word, bool& down) {
    std::string w = lowered(word);
    down = w == "down";
    return w == "down" || w == "up";
}

// Each parser fills `e` from the words after the verb and returns an error text, empty if fine.
std::string parseKey(Words& words, Event& e) {
    bool down = false;
    if (!parseUpDown(words.next(), down)) return "key needs down or up";
    e.kind = down ? Kind::KeyDown : Kind::KeyUp;
    std::string name = words.next();
    e.code = keyCodeFromName(name);
    return e.code ? "" : "unknown key '" + name + "'";
}

std::string parseMouse(Words& words, Event& e) {
    std::string action = lowered(words.next());
    if (action == "move") {
        e.kind = Kind::MouseMove;
        bool ok = toFloat(words.next(), -1e6f, 1e6f, e.x) && toFloat(words.next(), -1e6f, 1e6f, e.y);
        return ok ? "" : "mouse move needs two numbers";
    }
    bool down = false;
    if (!parseUpDown(action, down)) return "mouse needs move, down or up";
    e.kind = down ? Kind::MouseDown : Kind::MouseUp;
    e.code = mouseButton(words.next());
    return e.code ? "" : "mouse button must be left, right or middle";
}

std::string parseJoystickControl(Words& words, Event& e) {
    std::string control = lowered(words.next());
    if (control == "axis") {
        e.kind = Kind::JoyAxis;
        e.index = axisIndex(words.next());
        if (e.index < 0) return "joystick axis must be X, Y, Z, R, U or V";
        return toFloat(words.next(), -1, 1, e.x) ? "" : "joystick axis value must be -1..1";
    }
    if (control == "hat") {
        e.kind = Kind::JoyHat;
        bool ok = toFloat(words.next(), -1, 1, e.x) && (e.x == -1 || (e.x >= 0 && e.x < 1));
        return ok ? "" : "joystick hat must be -1 or a fraction 0..1";
    }
    if (control != "button") return "joystick needs axis, hat or button";
    e.kind = Kind::JoyButton;
    long button = 0;
    if (!toInt(words.next(), 0, kJoystickButtons - 1, button)) return "joystick button must be 0..19";
    e.index = int(button);
    return parseUpDown(words.next(), e.down) ? "" : "joystick button needs down or up";
}

std::string parseJoystick(Words& words, Event& e) {
    std::string what = words.next();
    if (lowered(what) == "attach") {
        e.kind = Kind::JoyAttach;
        e.text = words.rest();
        return e.text.empty() ? "joy attach needs a name" : "";
    }
    long number = 0;
    if (!toInt(what, 1, 64, number)) return "joy needs attach or a joystick number";
    e.code = int(number);
    return parseJoystickControl(words, e);
}

std::string parseVerb(Words& words, Event& e) {
    std::string verb = lowered(words.next());
    if (verb == "key") return parseKey(words, e);
    if (verb == "mouse") return parseMouse(words, e);
    if (verb == "joy") return parseJoystick(words, e);
    if (verb == "close") {
        e.kind = Kind::Close;
        return "";
    }
    if (verb == "type") {
        e.kind = Kind::Type;
        e.text = words.rest();
        return e.text.empty() ? "type needs text" : "";
    }
    return "unknown event '" + verb + "'";
}

std::string parseLine(const std::string& line, Event& e) {
    Words words(line);
    long time = 0;
    if (lowered(words.next()) != "at") return "a line must start with 'at TIME'";
    if (!toInt(words.next(), 0, 1L << 40, time)) return "the time must be whole milliseconds, 0 or more";
    e.timeMs = time;
    std::string error = parseVerb(words, e);
    if (error.empty() && !words.atEnd()) return "unexpected text at the end";
    return error;
}

// A joystick must be attached before (or in an earlier line at the same time as) its first use.
std::string checkJoysticks(const std::vector<Event>& events, int& badLine) {
    int attached = 0;
    for (const Event& e : events) {
        if (e.kind == Kind::JoyAttach) ++attached;
        bool usesJoystick = e.kind == Kind::JoyAxis || e.kind == Kind::JoyHat || e.kind == Kind::JoyButton;
        if (usesJoystick && e.code > attached) {
            badLine = e.line;
            return "joystick " + std::to_string(e.code) + " is not attached yet";
        }
    }
    return "";
}

}  // namespace

bool parseEvent(const std::string& line, Event& event, std::string& error) {
    error = parseLine(withoutComment(line), event);
    return error.empty();
}

bool parse(const std::string& text, std::vector<Event>& events, std::string& error) {
    events.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::string content = withoutComment(line);
        if (content.find_first_not_of(" \t") == std::string::npos) continue;
        Event e;
        e.line = number;
        std::string problem = parseLine(content, e);
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        events.push_back(e);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.timeMs < b.timeMs; });
    int badLine = 0;
    std::string problem = checkJoysticks(events, badLine);
    if (problem.empty()) return true;
    error = "line " + std::to_string(badLine) + ": " + problem;
    return false;
}

bool load(const std::string& path, std::vector<Event>& events, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read input script " + path;
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (parse(text.str(), events, error)) return true;
    error = "input script " + path + " " + error;
    return false;
}

void Player::start(std::vector<Event> events) {
    events_ = std::move(events);
    next_ = 0;
}

const Event* Player::nextDue(int64_t nowMs) {
    if (next_ >= events_.size() || events_[next_].timeMs > nowMs) return nullptr;
    return &events_[next_++];
}

}  // namespace platform::script
