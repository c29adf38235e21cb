// The host's start-up (main.cpp): Main chooses the mode from the command line and opens the one
// window the host then lives for; EndHost ends the host process.
#pragma once

namespace Lumenfall_B {

// Ends the host process at once: no window handler runs any more.
[[noreturn]] void EndHost();

// The start-up: single instance, mode dispatch, settings, renderer check, the window of the mode.
void Main();

}  // namespace Lumenfall_B
