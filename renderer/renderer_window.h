// The renderer's process-wide state, its window over every monitor and its paced loop.
#pragma once

#include <windows.h>

#include "monitor_layout.h"

// The renderer's input state: what decides when it closes.
struct SaverState {
  HWND window;              // the renderer window, stored on WM_CREATE
  LONG mouseThreshold;      // pixels the cursor may move on either axis before the renderer closes
  POINT startCursor;        // cursor position when the window was created; never updated
  BOOL closeRequested;      // true once the renderer itself asked to close
};

extern HINSTANCE RendererInstance;  // the running executable, whose resources hold the pictures
extern SaverState* Saver;           // the one input state, owned by the entry point

// The window procedure of the class "OpenGL".
LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Marks the close as the renderer's own and posts WM_CLOSE to its window.
void RequestClose();
// Registers the window class "OpenGL"; false on failure.
bool RegisterRendererClass();

// The whole life of the window: start-up, loop, tear-down.
void RunRenderer(int showCommand);
// Start-up: window, screen-saver flag, OpenGL, scene tables, textures, first clock reading.
// False when a step failed; the steps already taken are then undone.
bool StartRenderer(int showCommand);
// Messages first; when none waits and the frame is due, one frame. Returns on WM_QUIT.
void RunLoop();
// True when the next frame may be drawn now. Otherwise waits, without using the processor, until
// it is due or a message arrives (input wakes it at once), and returns false so that the loop
// looks at the messages first.
bool WaitForFrameTime();
// One frame: the clock re-read when 1000 ms have passed since the last reading, the ring moved on
// by the time since the last frame, the scene drawn once on every monitor, the buffers swapped.
void RenderOneFrame();
// Re-reads the monitors and puts the window over the whole virtual screen again.
void ReadMonitorLayout();
// The monitor layout in use (valid between StartRenderer and StopRenderer).
const MonitorLayout& RendererMonitorLayout();
// True while the loop waits out the rest of each refresh period (the swaps do not wait).
bool RendererPacing();
// Tear-down: OpenGL released, screen-saver flag back to FALSE.
void StopRenderer();
// The device context of the renderer window (valid between StartRenderer and StopRenderer).
HDC RendererDeviceContext();
