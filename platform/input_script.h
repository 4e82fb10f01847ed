// Scripted input for headless runs: the parser, the player, and the joystick hooks it drives.
//
// One event a line, times in milliseconds since start, in any order (equal times keep file order):
//     at 1000 key down Escape      key names as keyCodeFromName takes them, or a decimal code
//     at 1100 key up 27
//     at 1500 type Hello there     the rest of the line after one space, UTF-8 or Latin-1
//     at 2000 mouse move 640 480   virtual coordinates
//     at 2000 mouse down left      left | right | middle
//     at 2100 mouse up left
//     at 0 joy attach Pad          joystick 1 (then 2, ...): 6 axes, 1 hat, 20 buttons, named so
//     at 4000 joy 1 axis Y -0.8    X Y Z R U V, -1..1
//     at 4000 joy 1 hat 0.25       fraction of a turn clockwise from up, -1 centred
//     at 4000 joy 1 button 3 down  buttons numbered from 0, down | up
//     at 9000 close                the window's close request
// '#' starts a comment at the start of a line or after a space or tab, so "type" text may hold a
// '#' that follows another character. Trailing spaces are dropped from every line, "type" text too.
// A single digit names a digit key ("7" is 55); write "08" for code 8. Scripted keys and buttons
// count hits and reach the typed queue exactly as real ones do.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/internal.h"

namespace platform::script {

enum class Kind { KeyDown, KeyUp, Type, MouseMove, MouseDown, MouseUp, JoyAttach, JoyAxis, JoyHat, JoyButton, Close };

struct Event {
    int64_t timeMs = 0;
    int line = 0;
    Kind kind = Kind::Close;
    int code = 0;       // key code, mouse button (1 left 2 right 3 middle), or joystick from 1
    int index = 0;      // joystick axis 0..5 or button 0..19
    bool down = false;  // joystick button
    float x = 0, y = 0;  // pointer position; axis value or hat fraction in x
    std::string text;    // typed text or joystick name
};

// Events sorted by time. On failure `error` names the first bad line ("line 3: ...").
bool parse(const std::string& text, std::vector<Event>& events, std::string& error);
// One line on its own; joysticks it names need not be attached (events for them do nothing).
bool parseEvent(const std::string& line, Event& event, std::string& error);
bool load(const std::string& path, std::vector<Event>& events, std::string& error);

// Hands out the events that are due, each once.
class Player {
public:
    void start(std::vector<Event> events);
    const Event* nextDue(int64_t nowMs);
    bool finished() const { return next_ >= events_.size(); }

private:
    std::vector<Event> events_;
    size_t next_ = 0;
};

}  // namespace platform::script

// Joysticks live in joystick.cpp; input.cpp starts them, forwards device events and plays scripts.
namespace platform::internal {

void pollForQuery();  // every input query starts here: moves virtual time on, then pumps events
void joysticksStart();
void joysticksStop();
void joystickDeviceEvent(const SDL_Event& event);
// Script joysticks are numbered from 1 in attach order.
void scriptJoystickAttach(const std::string& name);
void scriptJoystickAxis(int joystick, int axis, float value);
void scriptJoystickHat(int joystick, float fraction);
void scriptJoystickButton(int joystick, int button, bool down);

}  // namespace platform::internal
