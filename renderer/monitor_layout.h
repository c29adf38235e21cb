// Where the renderer's one window lies and where each monitor's picture goes inside it. Portable:
// the Win32 edge reads the virtual screen and the monitors and hands them over as plain rectangles.
#pragma once

// A rectangle in virtual-screen pixels (y grows downwards; the primary monitor's top-left corner
// is 0,0, so monitors left of or above it have negative coordinates). Right and bottom are
// exclusive.
struct ScreenRect {
  int left, top, right, bottom;
};

struct ScreenPoint {
  int x, y;
};

// A GL viewport inside the window: x from the window's left edge, y from its bottom edge.
struct Viewport {
  int x, y, width, height;
};

constexpr int kMaxMonitors = 16;

struct MonitorLayout {
  ScreenRect window;                 // the renderer window: the whole virtual screen
  int viewportCount;                 // at least 1
  Viewport viewports[kMaxMonitors];  // one per monitor, each drawn with its own aspect ratio
};

// The window over the virtual screen and one viewport per monitor (clipped to the window; empty
// ones left out). With no usable monitor the whole window is one viewport; an empty virtual
// screen is replaced by the monitors' bounding box.
MonitorLayout LayoutMonitors(const ScreenRect& virtualScreen, const ScreenRect* monitors, int count);

// The pointer rule: true when the pointer has moved more than `threshold` pixels on either axis
// from where it was when the window opened. Both points are in virtual-screen pixels, so a move
// from one monitor to another counts by its real distance.
bool PointerMovedTooFar(ScreenPoint start, ScreenPoint now, int threshold);
