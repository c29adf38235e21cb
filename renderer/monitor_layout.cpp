#include "monitor_layout.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool IsEmpty(const ScreenRect& r) { return r.right <= r.left || r.bottom <= r.top; }

ScreenRect Intersect(const ScreenRect& a, const ScreenRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

ScreenRect BoundingBox(const ScreenRect* rects, int count) {
  ScreenRect box = {0, 0, 0, 0};
  bool first = true;
  for (int k = 0; k < count; ++k) {
    if (IsEmpty(rects[k])) continue;
    if (first) {
      box = rects[k];
      first = false;
    } else {
      box = {std::min(box.left, rects[k].left), std::min(box.top, rects[k].top),
             std::max(box.right, rects[k].right), std::max(box.bottom, rects[k].bottom)};
    }
  }
  return box;
}

// A screen rectangle inside the window as a GL viewport, counted from the window's bottom-left.
Viewport ViewportOf(const ScreenRect& window, const ScreenRect& r) {
  return {r.left - window.left, window.bottom - r.bottom, r.right - r.left, r.bottom - r.top};
}

}  // namespace

MonitorLayout LayoutMonitors(const ScreenRect& virtualScreen, const ScreenRect* monitors, int count) {
  MonitorLayout layout = {};
  layout.window = IsEmpty(virtualScreen) ? BoundingBox(monitors, count) : virtualScreen;
  for (int k = 0; k < count && layout.viewportCount < kMaxMonitors; ++k) {
    const ScreenRect visible = Intersect(layout.window, monitors[k]);
    if (!IsEmpty(visible)) layout.viewports[layout.viewportCount++] = ViewportOf(layout.window, visible);
  }
  if (layout.viewportCount == 0) {
    layout.viewports[0] = ViewportOf(layout.window, layout.window);
    layout.viewportCount = 1;
  }
  return layout;
}

bool PointerMovedTooFar(ScreenPoint start, ScreenPoint now, int threshold) {
  return std::labs(static_cast<long>(now.x) - start.x) > threshold ||
         std::labs(static_cast<long>(now.y) - start.y) > threshold;
}
