// The host's windows and its start-up: Main, the running saver Lumenfall_S and the preview
// Lumenfall_R.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace Lumenfall_B {

// The arguments of the command line after the program name (UTF-8), as Main read them.
extern std::string CommandArguments;

// Ends the host process at once: no window handler runs any more.
[[noreturn]] void EndHost();

// The start-up: single instance, mode dispatch, settings, renderer check, the window of the mode.
void Main();

// Creates the hidden running-saver window "Lumenfall_Main"; it starts the renderer and the music.
HWND CreateSaverWindow();

// The preview steps: the still picture in a child window of parent, sized to it.
void ShowPreview(std::optional<int32_t> parentHandle);

}  // namespace Lumenfall_B
