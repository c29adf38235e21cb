// The dialog's zoom rectangles against a real window: opening runs from the pointer's point to
// the window, closing from the window back to the point, each with the window where it stands.
#include "zoom.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<LONG> Sides(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

TEST(Zoom, OpensFromThePointerAndClosesBackToIt) {
  HWND w = CreateWindowExW(0, L"STATIC", L"zoom", WS_POPUP, 40, 50, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, w);
  Lumenfall_B::ZoomX = 200;
  Lumenfall_B::ZoomY = 300;
  Lumenfall_B::ZoomRects open = Lumenfall_B::ZoomOpenRects(w);
  EXPECT_EQ((std::vector<LONG>{200, 300, 200, 300}), Sides(open.from));
  EXPECT_EQ((std::vector<LONG>{40, 50, 340, 250}), Sides(open.to));
  MoveWindow(w, 70, 80, 300, 200, FALSE);  // the close follows the window to where it stands
  Lumenfall_B::ZoomRects close = Lumenfall_B::ZoomCloseRects(w);
  EXPECT_EQ((std::vector<LONG>{70, 80, 370, 280}), Sides(close.from));
  EXPECT_EQ((std::vector<LONG>{200, 300, 200, 300}), Sides(close.to));
  DestroyWindow(w);
}

}  // namespace
