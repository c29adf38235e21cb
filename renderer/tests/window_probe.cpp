// A small Windows console tool for the end-to-end scenarios, run in the same Wine prefix as the
// renderer: it looks at and talks to the renderer window as another program would.
//   window_probe rect CLASS TITLE   prints "left top right bottom" of that top-level window
//   window_probe close TITLE        posts WM_CLOSE to that window (a close from outside)
//   window_probe foreground TITLE   succeeds when that window is the system's foreground window
// Exit code 0 on success, 1 when the window is not found, 2 on a bad command line.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "rect") == 0) {
    HWND window = FindWindowA(argv[2], argv[3]);
    RECT r;
    if (!window || !GetWindowRect(window, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
    HWND window = FindWindowA(nullptr, argv[2]);
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "foreground") == 0) {
    HWND window = FindWindowA(nullptr, argv[2]);
    return window && GetForegroundWindow() == window ? 0 : 1;
  }
  std::fprintf(stderr, "usage: window_probe rect CLASS TITLE | close TITLE | foreground TITLE\n");
  return 2;
}
