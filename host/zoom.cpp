// The settings dialog's zoom; see zoom.h.
#include "zoom.h"

namespace Lumenfall_B {

int16_t ZoomX = 0, ZoomY = 0;

namespace {
RECT PointRect() {
  return RECT{ZoomX, ZoomY, ZoomX, ZoomY};
}
}  // namespace

ZoomRects ZoomOpenRects(HWND window) {
  ZoomRects z{PointRect(), {}};
  GetWindowRect(window, &z.to);
  return z;
}

ZoomRects ZoomCloseRects(HWND window) {
  ZoomRects z{{}, PointRect()};
  GetWindowRect(window, &z.from);
  return z;
}

void ZoomOpen(HWND window) {
  ZoomRects z = ZoomOpenRects(window);
  DrawAnimatedRects(window, IDANI_CAPTION, &z.from, &z.to);
}

void ZoomClose(HWND window) {
  ZoomRects z = ZoomCloseRects(window);
  DrawAnimatedRects(window, IDANI_CAPTION, &z.from, &z.to);
}

}  // namespace Lumenfall_B
