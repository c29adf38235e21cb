// Reference for the start and exit figures: the least a full-screen OpenGL program under this Wine
// does. One popup window over the whole screen (the renderer's style), a WGL context, one frame
// cleared to grey and presented, then the message loop until a key press or a click.
#include <windows.h>
#include <GL/gl.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      ValidateRect(window, nullptr);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "MinimalWgl";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "MinimalWgl", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR request = {};
  request.nSize = sizeof request;
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 32;
  const int format = ChoosePixelFormat(dc, &request);
  if (!format || !SetPixelFormat(dc, format, &request)) return 1;
  HGLRC context = wglCreateContext(dc);
  wglMakeCurrent(dc, context);
  glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  SwapBuffers(dc);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(context);
  return 0;
}
