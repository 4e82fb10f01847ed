// Keyboard (Windows virtual-key codes), typed characters, mouse, window close, joysticks.
#pragma once
#include <string>

namespace platform {

bool keyDown(int code);  // code 1..255
int keyHits(int code);   // presses since last asked (auto-repeat not counted)
int nextTypedChar();     // 0 when the queue is empty; Latin-1 codes, 8/13/27 for Backspace/Enter/Escape

// Buttons: 1 left, 2 right, 3 middle.
bool mouseDown(int button);
int mouseHits(int button);  // clicks since last asked
float pointerX();           // virtual coordinates
float pointerY();
void movePointer(float x, float y);  // virtual coordinates

void flushInput();  // forgets held keys and buttons, hit counts and typed characters
void showSystemPointer(bool show);
bool closeRequested();  // read and cleared

// Joysticks are numbered from 0 here.
enum class JoyAxis { X = 0, Y, Z, R, U, V };
int joystickCount();
std::string joystickName(int device);
int joystickButtonMask(int device);  // 2^n - 1 for n buttons
bool joystickButton(int device, int button);  // buttons from 0; bit n of the mask is button n
float joystickAxis(int device, JoyAxis axis);  // -1..1
float joystickHat(int device);  // fraction of a turn clockwise from up, -1 when centred

// Applies one event in the input-script format, without its "at TIME", at once: tests and
// benchmarks drive the screens with it ("mouse down left", "key down Escape").
bool feedInput(const std::string& event, std::string& error);

// Key code for a name as used in input scripts (Tab, Enter, F1, A, 7, LAlt ...), or 0.
int keyCodeFromName(const std::string& name);

}  // namespace platform
