// The preview's painting drawn into a memory DC, with the still the host embeds decoded by the
// system's picture decoder: the still at its own size at the top-left, black beyond it, and only
// its top-left part in an area smaller than the still.
#include "preview_paint.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <cstdint>
#include <vector>

namespace {

using Lumenfall_B::LoadPreviewStill;
using Lumenfall_B::PaintPreview;

// A top-down 32-bit DIB section selected into a memory DC; pixels read as 0xRRGGBB.
struct Canvas {
  int w, h;
  HDC dc = CreateCompatibleDC(nullptr);
  uint32_t* bits = nullptr;
  HBITMAP bitmap;
  HGDIOBJ old;
  Canvas(int width, int height) : w(width), h(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  uint32_t At(int x, int y) const { return bits[y * w + x] & 0xFFFFFF; }
};

struct PreviewPaint : ::testing::Test {
  static void SetUpTestSuite() { OleInitialize(nullptr); }
  SIZE size{};
  HBITMAP still = nullptr;
  std::vector<uint32_t> pixels;  // the decoded still, top-down, 0xRRGGBB

  void SetUp() override {
    still = LoadPreviewStill(GetModuleHandleW(nullptr), &size);
    ASSERT_NE(still, nullptr) << "the still did not decode";
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(static_cast<size_t>(size.cx) * size.cy);
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(screen, still, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS), size.cy);
    ReleaseDC(nullptr, screen);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
  }
  void TearDown() override { DeleteObject(still); }
  uint32_t Still(int x, int y) const { return pixels[static_cast<size_t>(y) * size.cx + x]; }
};

// The embedded still is the saver's picture: 152×112, black at the corner, and the pink of the
// blossom trails somewhere in it (a failed or placeholder picture has neither).
TEST_F(PreviewPaint, StillIsTheRunningSaverPicture) {
  EXPECT_EQ(size.cx, 152);
  EXPECT_EQ(size.cy, 112);
  auto channel = [](uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); };
  uint32_t corner = Still(0, 0);
  EXPECT_LT(channel(corner, 16) + channel(corner, 8) + channel(corner, 0), 40) << std::hex << corner;
  int pink = 0;
  for (uint32_t p : pixels)
    if (channel(p, 16) > 180 && channel(p, 8) < 120 && channel(p, 0) > 100) ++pink;
  EXPECT_GT(pink, 50);
}

// In the window, Img_Prev covers the whole area: the still shows at its own size from the
// top-left, cut by the area, and whatever the still does not cover is black.
TEST_F(PreviewPaint, StillAtTopLeftAtItsOwnSizeBlackBeyond) {
  struct Case { int w, h; } cases[] = {{300, 200}, {100, 80}, {152, 112}, {200, 60}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
    Canvas canvas(c.w, c.h);
    for (int i = 0; i < c.w * c.h; ++i) canvas.bits[i] = 0xFFFFFF;  // not black before painting
    RECT area{0, 0, c.w, c.h};
    PaintPreview(canvas.dc, area, still, size, area);
    GdiFlush();
    int wrong = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        uint32_t want = (x < size.cx && y < size.cy) ? Still(x, y) : 0;
        if (canvas.At(x, y) != want && wrong++ == 0) firstX = x, firstY = y;
      }
    EXPECT_EQ(wrong, 0) << "first wrong pixel at " << firstX << "," << firstY;
  }
}

}  // namespace
