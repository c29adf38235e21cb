// Reference for the host's CPU and memory figures: the least a Win32 program under this Wine does.
// One hidden window (the running host's is hidden too) and the message loop, until WM_CLOSE.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"MinimalWin32";
  RegisterClassW(&windowClass);
  if (!CreateWindowExW(0, windowClass.lpszClassName, L"MinimalWin32", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0,
                       nullptr, nullptr, instance, nullptr))
    return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
