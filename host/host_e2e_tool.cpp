// A Windows helper for the host's end-to-end scenarios (never shipped):
//   parent X Y W H FILE   a borderless white window "Orvellia Test Parent" at X,Y of size W×H that
//                         stands for the system's preview area; its handle (decimal) goes to FILE
//   close TITLE           posts WM_CLOSE to the top-level window with this title
//   msgtext CAPTION FILE  writes the text of the message box with this caption to FILE (UTF-8)
//   msgstyle CAPTION FILE writes "BUTTONS ICONS" of the message box with this caption to FILE: how
//                         many push buttons it has and how many icons it shows
//   item CAPTION ID FILE  writes "X Y", the screen position of the middle of control ID (decimal)
//                         of the message box with this caption (its OK button is 1)
//   child TITLE FILE      writes "STYLE X Y W H" of the window titled TITLE inside the test parent
//                         (style in hex, place in the parent's client area)
//   (no arguments)        stands in for the renderer when installed as Orvellia.dll: after
//                         ORV_STANDIN_DELAY_MS milliseconds (environment, default 0) opens a
//                         window "Lumenfall_VC" and ends on a key or a click; with
//                         ORV_STANDIN_LINGER=1 only its window goes, the process lives on
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

const wchar_t* kParentTitle = L"Orvellia Test Parent";

bool WriteUtf8(const wchar_t* file, const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(n > 0 ? n - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), n, nullptr, nullptr);
  FILE* f = _wfopen(file, L"wb");
  if (!f) return false;
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
  return true;
}

LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  // Closing destroys the window (and its children) but the tool stays, so the preview can only
  // end by its own handling of the destruction.
  return DefWindowProcW(h, m, w, l);
}

bool g_linger = false;  // the process outlives its window

LRESULT CALLBACK RendererProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN || m == WM_LBUTTONDOWN) DestroyWindow(h);
  if (m == WM_DESTROY && !g_linger) PostQuitMessage(0);
  return DefWindowProcW(h, m, w, l);
}

HWND MakeWindow(const wchar_t* cls, WNDPROC proc, const wchar_t* title, DWORD style, int x, int y,
                int w, int h) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
  return CreateWindowExW(0, cls, title, style, x, y, w, h, nullptr, nullptr, wc.hInstance, nullptr);
}

int Loop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

// A GUI program, so that Wine opens no console window for it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring cmd = argc > 1 ? argv[1] : L"";
  if (cmd == L"parent" && argc == 7) {
    HWND h = MakeWindow(L"OrvTestParent", ParentProc, kParentTitle, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                        _wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
    if (!h || !WriteUtf8(argv[6], std::to_wstring(reinterpret_cast<INT_PTR>(h)))) return 1;
    return Loop();
  }
  if (cmd == L"close" && argc == 3) {
    HWND h = FindWindowW(nullptr, argv[2]);
    return h && PostMessageW(h, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (cmd == L"msgtext" && argc == 4) {
    HWND box = FindWindowW(L"#32770", argv[2]);
    if (!box) return 1;
    std::wstring text;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      wchar_t cls[32] = {}, buf[512] = {};
      GetClassNameW(c, cls, 32);
      if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextW(c, buf, 512) > 0) text += buf;
    }
    return WriteUtf8(argv[3], text) ? 0 : 1;
  }
  if (cmd == L"msgstyle" && argc == 4) {
    HWND box = FindWindowW(L"#32770", argv[2]);
    if (!box) return 1;
    int buttons = 0, icons = 0;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      wchar_t cls[32] = {};
      GetClassNameW(c, cls, 32);
      LONG style = GetWindowLongW(c, GWL_STYLE);
      if (lstrcmpiW(cls, L"Button") == 0 && IsWindowVisible(c)) ++buttons;
      if (lstrcmpiW(cls, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c) &&
          SendMessageW(c, STM_GETICON, 0, 0))
        ++icons;
    }
    return WriteUtf8(argv[3], std::to_wstring(buttons) + L" " + std::to_wstring(icons)) ? 0 : 1;
  }
  if (cmd == L"item" && argc == 5) {
    HWND box = FindWindowW(L"#32770", argv[2]);
    HWND item = box ? GetDlgItem(box, _wtoi(argv[3])) : nullptr;
    RECT r{};
    if (!item || !IsWindowVisible(item) || !GetWindowRect(item, &r)) return 1;
    return WriteUtf8(argv[4], std::to_wstring((r.left + r.right) / 2) + L" " +
                                  std::to_wstring((r.top + r.bottom) / 2))
               ? 0
               : 1;
  }
  if (cmd == L"child" && argc == 4) {
    HWND parent = FindWindowW(nullptr, kParentTitle);
    HWND child = parent ? FindWindowExW(parent, nullptr, nullptr, argv[2]) : nullptr;
    if (!child) return 1;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    wchar_t text[64];
    swprintf(text, 64, L"%08lX %ld %ld %ld %ld", static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE)),
             r.left, r.top, r.right - r.left, r.bottom - r.top);
    return WriteUtf8(argv[3], text) ? 0 : 1;
  }
  if (argc == 1) {
    wchar_t delay[16] = {};
    GetEnvironmentVariableW(L"ORV_STANDIN_DELAY_MS", delay, 16);
    Sleep(_wtoi(delay));
    wchar_t linger[4] = {};
    GetEnvironmentVariableW(L"ORV_STANDIN_LINGER", linger, 4);
    g_linger = linger[0] == L'1';
    HWND h = MakeWindow(L"OpenGL", RendererProc, L"Lumenfall_VC", WS_POPUP | WS_VISIBLE, 0, 0,
                        200, 150);
    if (!h) return 1;
    SetForegroundWindow(h);
    return Loop();
  }
  return 2;  // unknown command: see the comment at the top
}
