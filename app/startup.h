// The program's start-up sequence, run once from main.
#pragma once

namespace app {

constexpr int kMinimumLoadingMs = 2500;

// Steps up to the end of loading: shared tables and defaults, folders, the debug log, the audio
// driver, the display. A second call does nothing.
void StartUp();
// Start-up, then the screens; never returns (the farewell ends the program).
[[noreturn]] void RunProgram();

// The defaults every start puts in place before the setup file is read.
void SetDefaultSettings();

}  // namespace app
