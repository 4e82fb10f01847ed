#pragma once

namespace app {

// Ends the program cleanly: the log is closed and the platform shut down.
[[noreturn]] void Farewell();

}  // namespace app
