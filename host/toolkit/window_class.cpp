// Window classes of the host; see window_class.h.
#include "window_class.h"

namespace tk {

bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HCURSOR cursor,
                         HBRUSH background) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, name, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace tk
