// Lumenfall_S, the hidden window of the running saver.
#pragma once

#include <windows.h>

namespace Lumenfall_B {

// Creates the hidden running-saver window "Lumenfall_Main"; it starts the renderer and the music.
HWND CreateSaverWindow();

}  // namespace Lumenfall_B
