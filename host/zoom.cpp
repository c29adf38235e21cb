// The settings dialog's zoom; see zoom.h.
#include "zoom.h"

namespace Lumenfall_B {

int16_t ZoomX = 0, ZoomY = 0;

namespace {
RECT PointRect() {
  return RECT{ZoomX, ZoomY, ZoomX, ZoomY};
}
}  // namespace

void ZoomOpen(HWND window) {
  RECT from = PointRect(), to{};
  GetWindowRect(window, &to);
  DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window) {
  RECT from{}, to = PointRect();
  GetWindowRect(window, &from);
  DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace Lumenfall_B
