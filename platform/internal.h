// Hooks between the services of the platform layer. Game code never includes this.
#pragma once
#include <cstdint>
#include <string>

union SDL_Event;

namespace platform::internal {

// Clock. In virtual mode sleeping advances time at once and every read advances it a little.
void clockStart(bool virtualTime);
bool clockIsVirtual();
int64_t clockMicros();             // since start
void clockAdvanceMicros(int64_t us);  // virtual mode only
void setTimeLimit(long ms);        // -1 = none; checked whenever time is read or moves on

// Input.
bool inputStart(const std::string& scriptPath, std::string& error);
void inputStop();
void pumpEvents();  // SDL events and due script events; cheap to call often
void handleSdlEvent(const SDL_Event& event);
int keyCodeFromSdl(int sdlKeycode);  // 0 when the key has no code
void setPointerMapping(float scale, float offsetX, float offsetY);  // real = virtual * scale + offset

// Audio.
bool audioStart(bool silentOnly);
void audioStop();

// Display.
bool displayStart(bool headless, const std::string& videoDriver);
void displayStop();

}  // namespace platform::internal
