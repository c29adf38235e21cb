// Hovers and clicks a real Command button many times through real input and checks that the
// button survives every click and that the process's GDI object count stays where it was. Run by
// tests/e2e/fault_button_clicks.sh on a display of its own (it moves the pointer); never shipped.
//   button_clicks COUNT LOGFILE   exit code 0 when every check held; the log says what was seen
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "command_button.h"

namespace {

FILE* logFile = nullptr;

void Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vfprintf(logFile, format, args);
  va_end(args);
  fputc('\n', logFile);
  fflush(logFile);
}

// Live GDI objects of this process. Windows counts them (GetGuiResources); Wine 8 answers 0 there,
// but its GDI handle table answers GetObjectType for a bare table index (upper 16 bits zero), so
// probing every index counts the live objects.
long GdiObjects() {
  DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (n > 0) return static_cast<long>(n);
  long live = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) ++live;
  return live;
}

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// Pumps messages until the condition holds or 20 s have passed.
template <class F>
bool WaitFor(F condition) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > 20000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  return true;
}

void MouseButton(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc != 3) return 2;
  const int cycles = _wtoi(argv[1]);
  logFile = _wfopen(argv[2], L"w");
  if (!logFile || cycles <= 0) return 2;

  using namespace orv::button;
  SetCursorPos(10, 10);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"ButtonClicksHost";
  RegisterClassW(&wc);
  HWND host = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Button clicks", WS_POPUP | WS_VISIBLE,
                              100, 100, 200, 80, nullptr, nullptr, instance, nullptr);
  HWND button = CreateCommand(host, 7, {20, 20, 81, 25}, "設定");
  if (!host || !IsCommand(button)) {
    Log("FAIL: could not create the window and its button");
    return 1;
  }
  int clicks = 0;
  Command_OnClick(button, [&clicks] { ++clicks; });
  Command_Initialize(button);
  SetForegroundWindow(host);
  Pump();
  auto state = [button] { return Command_Logic(button)->State().ButtonState; };

  // One hover-and-click: pointer onto the button (hover look), press, release (Click), pointer
  // onto the form (the poll ends the hover).
  auto cycle = [&](int n) -> bool {
    SetCursorPos(100 + 20 + 10, 100 + 20 + 5);
    // Hover: HighLight before the first click, HighLightSelect once the button has the focus.
    const int hover = n == 1 ? 2 : 4;
    if (!WaitFor([&] { return state() == hover; })) return Log("FAIL: cycle %d: no hover look", n), false;
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    if (!WaitFor([&] { return GetKeyState(VK_LBUTTON) < 0 && GetCapture() == button; }))
      return Log("FAIL: cycle %d: not pressed", n), false;
    MouseButton(MOUSEEVENTF_LEFTUP);
    if (!WaitFor([&] { return clicks == n && GetKeyState(VK_LBUTTON) >= 0; }))
      return Log("FAIL: cycle %d: no Click", n), false;
    if (!IsWindow(button) || !IsCommand(button)) return Log("FAIL: cycle %d: the button is gone", n), false;
    SetCursorPos(100 + 150, 100 + 60);
    if (!WaitFor([&] { return state() == 3; })) return Log("FAIL: cycle %d: hover did not end", n), false;
    return true;
  };

  // A few cycles first, so that everything drawn once (pictures, fonts, caches) exists.
  const int warmup = 10;
  for (int n = 1; n <= warmup; ++n)
    if (!cycle(n)) return 1;
  const long before = GdiObjects();
  Log("GDI objects after %d warm-up cycles: %ld", warmup, before);
  for (int n = warmup + 1; n <= warmup + cycles; ++n)
    if (!cycle(n)) return 1;
  const long after = GdiObjects();
  Log("GDI objects after %d more cycles: %ld", cycles, after);
  DestroyWindow(host);
  if (after - before > 8) {
    Log("FAIL: %ld GDI objects more after %d clicks", after - before, cycles);
    return 1;
  }
  Log("ok: %d clicks, the button kept, GDI objects %ld -> %ld", clicks, before, after);
  return 0;
}
