#include "renderer_window.h"

#include <cstdlib>
#include <cstring>

#include "bitmap_texture.h"
#include "scene/blossom_ring.h"
#include "scene/clock_scene.h"

HINSTANCE RendererInstance;
SaverState* Saver;

namespace {

const char kClassName[] = "OpenGL";
const char kWindowTitle[] = "Lumenfall_VC";

HDC DeviceContext;
HGLRC RenderContext;
UINT PreviousSaverRunning;      // receives the system's previous screen-saver-running state
bool SaverRunningSet;           // the flag was set and must be cleared at tear-down
ULONGLONG ClockReferenceMs;     // when ClockTime was last read

void SetScreenSaverRunning(BOOL running) {
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &PreviousSaverRunning, 0);
}

// True when the space-separated extension list names `name` exactly.
bool ListsExtension(const char* list, const char* name) {
  const size_t length = std::strlen(name);
  for (const char* p = list; p && (p = std::strstr(p, name)) != nullptr; p += length) {
    const bool starts = p == list || p[-1] == ' ';
    const bool ends = p[length] == ' ' || p[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}

// A WGL extension function by name, or null.
template <typename Function>
Function WglFunction(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

// Where the driver offers WGL_EXT_swap_control, frames come no faster than the display refreshes;
// elsewhere the loop draws as fast as it can.
void PaceFramesByDisplay(HDC dc) {
  using GetExtensionsStringArb = const char*(WINAPI*)(HDC);
  using GetExtensionsStringExt = const char*(WINAPI*)();
  using SwapIntervalExt = BOOL(WINAPI*)(int);
  const char* extensions = nullptr;
  if (auto arb = WglFunction<GetExtensionsStringArb>("wglGetExtensionsStringARB")) {
    extensions = arb(dc);
  } else if (auto ext = WglFunction<GetExtensionsStringExt>("wglGetExtensionsStringEXT")) {
    extensions = ext();
  }
  if (!ListsExtension(extensions, "WGL_EXT_swap_control")) return;
  if (auto setInterval = WglFunction<SwapIntervalExt>("wglSwapIntervalEXT")) {
    setInterval(1);
  }
}

bool SetUpPixelFormat(HDC dc) {
  PIXELFORMATDESCRIPTOR request = {};
  request.nSize = sizeof request;
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = 32;
  request.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(dc, &request);
  return format != 0 && SetPixelFormat(dc, format, &request);
}

}  // namespace

void RequestClose() {
  Saver->closeRequested = TRUE;
  PostMessageA(Saver->window, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Saver->window = window;
      GetCursorPos(&Saver->startCursor);
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
      if (LOWORD(wParam) == 0) RequestClose();  // losing activation
      break;
    case WM_CLOSE:
      // A close from outside (another program, the system) is swallowed; only the renderer's own
      // request destroys the window.
      if (Saver->closeRequested) DestroyWindow(Saver->window);
      return 0;
    case WM_SETCURSOR:
      SetCursor(nullptr);  // the class has no cursor, so it stays hidden
      break;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      RequestClose();
      break;
    case WM_SYSCOMMAND:
      if (wParam == SC_SCREENSAVE || wParam == SC_CLOSE) return 0;
      break;
    case WM_MOUSEMOVE: {
      POINT cursor;
      GetCursorPos(&cursor);
      if (std::labs(cursor.x - Saver->startCursor.x) > Saver->mouseThreshold ||
          std::labs(cursor.y - Saver->startCursor.y) > Saver->mouseThreshold) {
        RequestClose();
      }
      break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterRendererClass() {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = RendererWindowProc;
  windowClass.hInstance = RendererInstance;
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

bool StartRenderer(int showCommand) {
  if (!RegisterRendererClass()) return false;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  HWND window = CreateWindowExA(0, kClassName, kWindowTitle, WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                nullptr, nullptr, RendererInstance, nullptr);
  if (!window) return false;
  SetScreenSaverRunning(TRUE);
  SaverRunningSet = true;

  DeviceContext = GetDC(window);
  if (!SetUpPixelFormat(DeviceContext)) {
    StopRenderer();
    return false;
  }
  RenderContext = wglCreateContext(DeviceContext);
  wglMakeCurrent(DeviceContext, RenderContext);
  PaceFramesByDisplay(DeviceContext);

  SetProjection(width, height);
  SetFixedGlState();
  BuildGroundGrid();
  InitBlossomRing();
  if (!LoadBitmapTexture(110, 0) || !LoadBitmapTexture(111, 1) || !LoadBitmapTexture(112, 2)) {
    StopRenderer();
    return false;
  }
  ShowWindow(window, showCommand);
  SampleClock();
  ClockReferenceMs = GetTickCount64();
  return true;
}

void RenderOneFrame() {
  const ULONGLONG now = GetTickCount64();
  if (now - ClockReferenceMs >= 1000) {
    SampleClock();
    ClockReferenceMs = now;
  }
  DrawFrame();
  SwapBuffers(DeviceContext);
}

void RunLoop() {
  MSG message;
  for (;;) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else {
      RenderOneFrame();
    }
  }
}

void StopRenderer() {
  wglMakeCurrent(nullptr, nullptr);
  if (DeviceContext) ReleaseDC(Saver->window, DeviceContext);
  if (RenderContext) wglDeleteContext(RenderContext);
  DeviceContext = nullptr;
  RenderContext = nullptr;
  if (SaverRunningSet) SetScreenSaverRunning(FALSE);
  SaverRunningSet = false;
}

void RunRenderer(int showCommand) {
  if (!StartRenderer(showCommand)) return;
  RunLoop();
  StopRenderer();
}

HDC RendererDeviceContext() { return DeviceContext; }
