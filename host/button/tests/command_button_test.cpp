// The Command button against the real user32/gdi32: a look drawn into a memory DC, and hover,
// press and the pointer poll through real input.
#include "command_button.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "command_button_res.h"

namespace orv::button {
namespace {

// A 32-bit top-down memory bitmap to draw into and read back.
struct Canvas {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
  int w, h;
  Canvas(int width, int height) : w(width), h(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  // 0xRRGGBB
  uint32_t At(int x, int y) const {
    GdiFlush();
    return bits[y * w + x] & 0xFFFFFF;
  }
};

uint32_t PicturePixel(int id, int x, int y) {
  HBITMAP b = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  EXPECT_NE(nullptr, b);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, b);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(b);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

int Red(uint32_t c) { return static_cast<int>(c >> 16); }
int Blue(uint32_t c) { return static_cast<int>(c & 0xFF); }

TEST(CommandLook, FrameComesFromThePictureAndTheGradientFillsTheMiddle) {
  Canvas c(81, 25);
  PaintCommandLook(c.dc, 81, 25, Picture::Selected, false);
  // Corners as they are; the top strip stretched (56 -> 73), the sides unstretched.
  EXPECT_EQ(PicturePixel(IDB_COMMAND_SELECTED, 0, 0), c.At(0, 0));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_SELECTED, 3, 3), c.At(3, 3));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_SELECTED, 62, 23), c.At(79, 23));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_SELECTED, 30, 2), c.At(40, 2));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_SELECTED, 2, 12), c.At(2, 12));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_SELECTED, 61, 12), c.At(78, 12));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_SELECTED, 30, 22), c.At(40, 22));

  // White at the top running to lavender (C6 C5 D7) at the bottom, read inside the frame.
  uint32_t top = c.At(40, 4), bottom = c.At(40, 20);
  EXPECT_NEAR(0xF6, Red(top), 4);
  EXPECT_NEAR(0xCF, Red(bottom), 4);
  EXPECT_NEAR(0xDE, Blue(bottom), 4);
  EXPECT_EQ(c.At(5, 12), c.At(75, 12));  // vertical: one colour across a row

  PaintCommandLook(c.dc, 81, 25, Picture::HighLight, true);
  EXPECT_EQ(PicturePixel(IDB_COMMAND_HIGHLIGHT, 30, 2), c.At(40, 2));
  EXPECT_NEAR(0xCF, Red(c.At(40, 4)), 4);
  EXPECT_NEAR(0xF6, Red(c.At(40, 20)), 4);
}

// A top-level window holding one Command, with messages pumped while waiting for a condition.
class CommandWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(10, 10);  // away from where the windows will be
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"CommandTestHost";
    RegisterClassW(&wc);
    host = CreateWindowExW(WS_EX_TOPMOST, L"CommandTestHost", L"host", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                           80, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, host);
    other = CreateWindowExW(0, L"BUTTON", L"other", WS_CHILD | WS_VISIBLE, 120, 10, 60, 25, host,
                            nullptr, wc.hInstance, nullptr);
    button = CreateCommand(host, 7, {20, 20, 81, 25}, "設定");
    ASSERT_TRUE(IsCommand(button));
    Command_OnClick(button, [this] { ++clicks; });
    Command_Initialize(button);
    SetForegroundWindow(host);
    Pump();
  }
  void TearDown() override { DestroyWindow(host); }

  static void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  // Pumps messages until the condition holds or 10 s have passed.
  template <class F>
  static bool WaitFor(F condition) {
    DWORD start = GetTickCount();
    while (!condition()) {
      if (GetTickCount() - start > 10000) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      Pump();
    }
    return true;
  }
  int State() { return Command_Logic(button)->State().ButtonState; }
  void PointerTo(int screenX, int screenY) { SetCursorPos(screenX, screenY); }
  static void MouseButton(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
  }
  // The thread's key state follows the mouse messages as they are taken from the queue.
  static bool LeftButtonDownSeen() { return GetKeyState(VK_LBUTTON) < 0; }
  static bool LeftButtonUpSeen() { return GetKeyState(VK_LBUTTON) >= 0; }
  // What the window shows now.
  uint32_t Shown(int x, int y) {
    Canvas c(81, 25);
    Command_Paint(button, c.dc);
    return c.At(x, y);
  }

  HWND host = nullptr, other = nullptr, button = nullptr;
  int clicks = 0;
};

TEST_F(CommandWindowTest, HoverPressReleaseAndLeaveThroughRealInput) {
  ASSERT_EQ(1, State());
  EXPECT_EQ(PicturePixel(IDB_COMMAND_NORMAL, 30, 2), Shown(40, 2));

  PointerTo(100 + 20 + 10, 100 + 20 + 5);  // over the frame, away from the caption
  ASSERT_TRUE(WaitFor([&] { return State() == 2; }));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_HIGHLIGHT, 30, 2), Shown(40, 2));

  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitFor([&] { return GetFocus() == button && State() == 4; }));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_PRESSED, 30, 1), Shown(40, 1));
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitFor([&] { return clicks == 1; }));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_HIGHLIGHT_SELECT, 30, 2), Shown(40, 2));

  PointerTo(100 + 150, 100 + 60);  // onto the host form: the poll ends the hover
  ASSERT_TRUE(WaitFor([&] { return State() == 3; }));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_SELECTED, 30, 2), Shown(40, 2));

  SetFocus(other);
  Pump();
  EXPECT_EQ(1, State());
  EXPECT_EQ(PicturePixel(IDB_COMMAND_NORMAL, 30, 2), Shown(40, 2));
  EXPECT_EQ(1, clicks);
}

// A press captures the mouse, so that the control sees the release wherever it happens; the
// capture ends with the release of the last button held.
TEST_F(CommandWindowTest, PressCapturesTheMouseUntilTheLastButtonIsReleased) {
  PointerTo(130, 125);
  ASSERT_TRUE(WaitFor([&] { return State() == 2; }));
  EXPECT_EQ(nullptr, GetCapture());
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitFor([&] { return State() == 4; }));
  EXPECT_EQ(button, GetCapture());
  MouseButton(MOUSEEVENTF_RIGHTDOWN);
  ASSERT_TRUE(WaitFor([] { return GetKeyState(VK_RBUTTON) < 0; }));
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitFor(LeftButtonUpSeen));
  EXPECT_EQ(button, GetCapture()) << "the right button is still held";
  MouseButton(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitFor([] { return GetKeyState(VK_RBUTTON) >= 0; }));
  EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(CommandWindowTest, DragOutAndReleaseRaisesNoClick) {
  PointerTo(130, 125);
  ASSERT_TRUE(WaitFor([&] { return State() == 2; }));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitFor([&] { return State() == 4; }));
  PointerTo(100 + 150, 100 + 60);
  ASSERT_TRUE(WaitFor([&] { return State() == 3; }));
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitFor(LeftButtonUpSeen));
  EXPECT_EQ(nullptr, GetCapture());
  EXPECT_EQ(0, clicks);
  EXPECT_EQ(PicturePixel(IDB_COMMAND_SELECTED, 30, 2), Shown(40, 2));
}

TEST_F(CommandWindowTest, PointerOnTheCaptionKeepsTheHoverLook) {
  // The caption label (pixels 5..18 high, across the whole width) has no window of its own.
  PointerTo(100 + 20 + 40, 100 + 20 + 12);
  ASSERT_TRUE(WaitFor([&] { return State() == 2; }));
  HWND under = WindowFromPoint({160, 132});
  EXPECT_EQ(button, under);
  // Several poll ticks later the look is still the hover look.
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 500) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
    ASSERT_EQ(2, State());
  }
}

TEST_F(CommandWindowTest, CaptionIsDrawnCentredInTheFontColour) {
  Command_SetFontColour(button, 0x0000FF);  // red (&H00BBGGRR)
  Canvas c(81, 25);
  Command_Paint(button, c.dc);
  int minX = 81, maxX = -1, minY = 25, maxY = -1;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 81; ++x) {
      uint32_t p = c.At(x, y);
      if (Red(p) > 0x90 && ((p >> 8) & 0xFF) < 0x60 && Blue(p) < 0x60) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
    }
  ASSERT_GE(maxX, 0) << "no caption pixels";
  EXPECT_NEAR(40, (minX + maxX) / 2.0, 2.0);
  EXPECT_GE(minY, 5);
  EXPECT_LE(maxY, 18);
  EXPECT_EQ(0x0000FFu, Command_FontColour(button));
}

TEST_F(CommandWindowTest, DisabledControlIgnoresInputAndShowsDisable) {
  Command_SetEnabled(button, false);
  EXPECT_FALSE(Command_Enabled(button));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_DISABLE, 30, 1), Shown(40, 1));
  PointerTo(130, 125);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitFor(LeftButtonDownSeen));
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitFor(LeftButtonUpSeen));
  EXPECT_EQ(0, clicks);
  EXPECT_EQ(1, State());
  EXPECT_EQ(PicturePixel(IDB_COMMAND_DISABLE, 30, 1), Shown(40, 1));
}

TEST_F(CommandWindowTest, TransparentBackgroundShowsTheParentAndKeepsTheCaption) {
  Command_SetFontColour(button, 0x0000FF);
  Command_SetVisible(button, 0);
  EXPECT_EQ(0, Command_Visible(button));
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  EXPECT_EQ(faceRgb, Shown(0, 0));
  EXPECT_EQ(faceRgb, Shown(40, 2));
  bool captionSeen = false;
  Canvas c(81, 25);
  Command_Paint(button, c.dc);
  for (int x = 0; x < 81; ++x) captionSeen |= Red(c.At(x, 12)) > 0x90 && Blue(c.At(x, 12)) < 0x60;
  EXPECT_TRUE(captionSeen);

  Command_SetVisible(button, 7);
  EXPECT_EQ(255, Command_Visible(button));
  EXPECT_EQ(PicturePixel(IDB_COMMAND_NORMAL, 30, 2), Shown(40, 2));
}

}  // namespace
}  // namespace orv::button
