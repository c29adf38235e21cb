// The renderer window's input rules, driven through the real window procedure on a hidden window
// of the class "OpenGL": which message sequences close the renderer and which leave it running.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "renderer_window.h"

namespace {

const POINT kStart = {300, 300};
int SentCloses;  // WM_CLOSE messages sent (not posted) to a window of this thread

LRESULT CALLBACK CountSentCloses(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_CLOSE) ++SentCloses;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Step {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  POINT cursor;  // cursor offset from the start position while the message arrives
};

struct Case {
  std::string name;
  std::vector<Step> steps;
  bool closes;
};

Step Move(int dx, int dy) { return {WM_MOUSEMOVE, 0, 0, {dx, dy}}; }
Step Msg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return {message, wParam, lParam, {0, 0}}; }

class RendererWindowTest : public ::testing::TestWithParam<Case> {
 protected:
  static void SetUpTestSuite() {
    static const bool registered = [] {
      RendererInstance = GetModuleHandleA(nullptr);
      return RegisterRendererClass();
    }();
    ASSERT_TRUE(registered);
  }

  void SetUp() override {
    state_ = {nullptr, 50, {0, 0}, FALSE};
    Saver = &state_;
    PlaceCursor({0, 0});
    // Hidden, so that activation by the window system plays no part; the test sends it instead.
    window_ = CreateWindowExA(0, "OpenGL", "Lumenfall_VC", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                              RendererInstance, nullptr);
    ASSERT_NE(window_, nullptr);
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, CountSentCloses, nullptr, GetCurrentThreadId());
    SentCloses = 0;
  }

  void TearDown() override {
    UnhookWindowsHookEx(hook_);
    if (IsWindow(window_)) DestroyWindow(window_);
    Pump();
    Saver = nullptr;
  }

  static void PlaceCursor(POINT offset) {
    ASSERT_TRUE(SetCursorPos(kStart.x + offset.x, kStart.y + offset.y));
    POINT now;
    GetCursorPos(&now);
    ASSERT_EQ(now.x, kStart.x + offset.x);
    ASSERT_EQ(now.y, kStart.y + offset.y);
  }

  // Dispatches what the window posted to itself; true when WM_QUIT came.
  static bool Pump() {
    bool quit = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return quit;
  }

  SaverState state_;
  HWND window_ = nullptr;
  HHOOK hook_ = nullptr;
};

TEST_F(RendererWindowTest, CreationStoresWindowAndCursor) {
  EXPECT_EQ(state_.window, window_);
  EXPECT_EQ(state_.startCursor.x, kStart.x);
  EXPECT_EQ(state_.startCursor.y, kStart.y);
  EXPECT_FALSE(state_.closeRequested);
}

// A change of monitors re-reads the layout and puts the window over the whole virtual screen
// again, above the task bars.
TEST_F(RendererWindowTest, DisplayChangeCoversTheVirtualScreen) {
  SendMessageA(window_, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  RECT r;
  ASSERT_TRUE(GetWindowRect(window_, &r));
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, left + GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(r.bottom, top + GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const MonitorLayout& layout = RendererMonitorLayout();
  EXPECT_EQ(layout.viewportCount, GetSystemMetrics(SM_CMONITORS));
  EXPECT_EQ(layout.viewports[0].width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(layout.viewports[0].height, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_FALSE(state_.closeRequested);
}

TEST_P(RendererWindowTest, InputRule) {
  const Case& c = GetParam();
  int ownCloses = 0;
  for (const Step& step : c.steps) {
    PlaceCursor(step.cursor);
    if (step.message == WM_CLOSE) ++ownCloses;
    SendMessageA(window_, step.message, step.wParam, step.lParam);
  }
  const bool quit = Pump();
  EXPECT_EQ(state_.closeRequested != FALSE, c.closes);
  EXPECT_EQ(IsWindow(window_) == FALSE, c.closes);
  EXPECT_EQ(quit, c.closes);
  // System commands to close never turn into a WM_CLOSE: only the test's own ones arrive sent.
  EXPECT_EQ(SentCloses, ownCloses);
}

const LPARAM kAltDown = 1 << 29;

INSTANTIATE_TEST_SUITE_P(
    Messages, RendererWindowTest,
    ::testing::Values(
        Case{"MoveOf50OnEachAxisKeepsRunning", {Move(50, 50), Move(-50, -50), Move(50, -50)}, false},
        Case{"MoveOf51OnXCloses", {Move(51, 0)}, true},
        Case{"MoveOf51OnYCloses", {Move(0, -51)}, true},
        Case{"SmallMovesThatAddUpClose", {Move(20, 0), Move(40, 10), Move(51, 10)}, true},
        Case{"KeyDownCloses", {Msg(WM_KEYDOWN, 'A')}, true},
        Case{"LeftButtonCloses", {Msg(WM_LBUTTONDOWN, MK_LBUTTON)}, true},
        Case{"RightButtonCloses", {Msg(WM_RBUTTONDOWN, MK_RBUTTON)}, true},
        Case{"MiddleButtonCloses", {Msg(WM_MBUTTONDOWN, MK_MBUTTON)}, true},
        Case{"SysKeyDownAloneKeepsRunning", {Msg(WM_SYSKEYDOWN, VK_MENU, kAltDown)}, false},
        Case{"AltF4KeepsRunning", {Msg(WM_SYSKEYDOWN, VK_F4, kAltDown)}, false},
        Case{"SysCommandCloseIsSwallowed", {Msg(WM_SYSCOMMAND, SC_CLOSE)}, false},
        Case{"SysCommandScreenSaveIsSwallowed", {Msg(WM_SYSCOMMAND, SC_SCREENSAVE)}, false},
        Case{"OutsideCloseBeforeInputIsIgnored", {Msg(WM_CLOSE), Msg(WM_CLOSE)}, false},
        Case{"OutsideCloseThenKeyCloses", {Msg(WM_CLOSE), Msg(WM_KEYDOWN, VK_SPACE)}, true},
        // (A faked WM_ACTIVATE WA_ACTIVE is left out: its default handling moves the focus to this
        // hidden window, which Wine answers with a real deactivation.)
        Case{"ActivationKeepsRunning", {Msg(WM_ACTIVATEAPP, TRUE), Msg(WM_NCACTIVATE, TRUE)}, false},
        Case{"DeactivateCloses", {Msg(WM_ACTIVATE, WA_INACTIVE)}, true},
        Case{"DeactivateWhileMinimizedCloses", {Msg(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1))}, true},
        Case{"AppDeactivationCloses", {Msg(WM_ACTIVATEAPP, FALSE)}, true},
        Case{"NonClientDeactivationCloses", {Msg(WM_NCACTIVATE, FALSE)}, true}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
