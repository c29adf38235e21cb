// The settings dialog's zoom: the system's animated caption rectangle from the mouse pointer to
// the dialog when it opens, and back to the pointer when it closes.
#pragma once

#include <windows.h>

#include <cstdint>

namespace Lumenfall_B {

// The pointer position where the dialog's zoom starts and ends (screen pixels), written by the
// dialog when it opens.
extern int16_t ZoomX, ZoomY;

// The caption-rectangle animation from the point (ZoomX, ZoomY) to the window, and back.
void ZoomOpen(HWND window);
void ZoomClose(HWND window);

}  // namespace Lumenfall_B
