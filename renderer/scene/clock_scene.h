// The clock scene: a perspective view of the textured ground with the dial picture, three hands
// turning with the local time, and the blossom ring above. Portable GL 1.1 + GLU code; every function
// runs with a current rendering context on the renderer's one thread.
#pragma once

#include <ctime>

#include "gl_headers.h"
#include "monitor_layout.h"

// The local time as the hands show it.
struct ClockValues {
  float second;     // 0 to 59
  float minute;     // 0 to 59
  float hourValue;  // dial hour 1 to 12 plus minute / 60
};

struct GroundVertex {
  float x, y, z;
};

constexpr int kGroundSize = 64;  // vertices per side of the ground grid

// Texture names by slot: 0 the dial picture, 1 the hands' picture, 2 the blossom picture.
extern GLuint TextureSlots[3];
// Ground vertices indexed [column i][row j].
extern GroundVertex GroundGrid[kGroundSize][kGroundSize];
extern ClockValues ClockTime;
// The camera position, read by the billboards to face it.
extern float EyePoint[3];

// Viewport and 60-degree perspective for a window of width x height pixels.
void SetProjection(int width, int height);
// The same for one monitor's part of the window, with that monitor's aspect ratio.
void SetViewportProjection(const Viewport& viewport);
// The GL state that stays as it is for the whole run: smooth shading, black clear colour, depth
// test with GL_LEQUAL, nicest perspective correction. Texturing and blending stay off; the drawing
// steps switch them on and off themselves.
void SetFixedGlState();
// Reads the local time into ClockTime.
void SampleClock();
// Sets ClockTime from a broken-down local time (the seam under SampleClock).
void SampleClockFrom(const std::tm& local);
// Fills GroundGrid (once, before the first frame).
void BuildGroundGrid();
// Draws one complete frame into the back buffer with the current projection; the caller swaps.
void DrawFrame();
// Draws one complete frame with the scene once in each viewport, all at the same time and blossom
// phase; the whole frame is cleared once (what no monitor shows stays black). The caller swaps.
void DrawFrameOn(const Viewport* viewports, int count);
// The scene from the camera into the current viewport, without clearing: ground, hands, ring.
void DrawView();
void DrawGround();
void DrawHands();
