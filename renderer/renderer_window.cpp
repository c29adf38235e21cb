#include "renderer_window.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "bitmap_texture.h"
#include "frame_pacing.h"
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
MonitorLayout Layout;           // the window's rectangle and each monitor's viewport
FramePacer Pacer;               // decides whether the loop waits before a frame
HANDLE FrameTimer;              // what the loop waits on between paced frames
bool TimerPeriodSet;            // timeBeginPeriod(1) is in force and must be undone at tear-down

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// Seconds on the high-resolution performance counter.
double Now() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The primary monitor's refresh rate as the system reports it (0 or 1 mean the hardware's
// default; the pacer takes 60 Hz for those).
int ReportedRefreshRate() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  return static_cast<int>(mode.dmDisplayFrequency);
}

// A timer to wait on between paced frames: a high-resolution one where the system has it;
// elsewhere an ordinary one, with the system's timer period set to 1 ms while the saver runs so
// that its waits end on time.
void CreateFrameTimer() {
  FrameTimer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (FrameTimer) return;
  FrameTimer = CreateWaitableTimerW(nullptr, TRUE, nullptr);
  TimerPeriodSet = timeBeginPeriod(1) == TIMERR_NOERROR;
}

void DeleteFrameTimer() {
  if (FrameTimer) CloseHandle(FrameTimer);
  FrameTimer = nullptr;
  if (TimerPeriodSet) timeEndPeriod(1);
  TimerPeriodSet = false;
}

// EnumDisplayMonitors' callback: collects each monitor's rectangle (up to kMaxMonitors).
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  auto* list = reinterpret_cast<std::pair<ScreenRect*, int>*>(data);
  if (list->second < kMaxMonitors) list->first[list->second++] = {rect->left, rect->top, rect->right, rect->bottom};
  return TRUE;
}

// The virtual screen and the monitors as the system reports them now.
MonitorLayout CurrentMonitorLayout() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const ScreenRect virtualScreen = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  ScreenRect monitors[kMaxMonitors];
  std::pair<ScreenRect*, int> list(monitors, 0);
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  return LayoutMonitors(virtualScreen, monitors, list.second);
}

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

// Where the driver offers WGL_EXT_swap_control, the swap is asked to wait for the display's
// refresh. NOTE: many systems accept this and still return at once (Wine on Xvfb among them); the
// frame pacer notices that from the frame times and waits instead.
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
      // Screen coordinates, not the message's client ones: the window's origin is the virtual
      // screen's, which may be negative.
      POINT cursor;
      GetCursorPos(&cursor);
      if (PointerMovedTooFar({Saver->startCursor.x, Saver->startCursor.y}, {cursor.x, cursor.y},
                             Saver->mouseThreshold)) {
        RequestClose();
      }
      break;
    }
    case WM_DISPLAYCHANGE:
      ReadMonitorLayout();
      Pacer.SetReportedRate(ReportedRefreshRate());
      break;
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

void ReadMonitorLayout() {
  Layout = CurrentMonitorLayout();
  if (!Saver || !Saver->window) return;
  const ScreenRect& r = Layout.window;
  SetWindowPos(Saver->window, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
}

const MonitorLayout& RendererMonitorLayout() { return Layout; }

bool RendererPacing() { return Pacer.pacing(); }

bool StartRenderer(int showCommand) {
  if (!RegisterRendererClass()) return false;
  // One window over the whole virtual screen, above the task bars of every monitor.
  Layout = CurrentMonitorLayout();
  const ScreenRect& r = Layout.window;
  HWND window = CreateWindowExA(WS_EX_TOPMOST, kClassName, kWindowTitle, WS_POPUP | WS_VISIBLE, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr, RendererInstance, nullptr);
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

  SetViewportProjection(Layout.viewports[0]);
  SetFixedGlState();
  BuildGroundGrid();
  InitBlossomRing();
  if (!LoadBitmapTexture(110, 0) || !LoadBitmapTexture(111, 1) || !LoadBitmapTexture(112, 2)) {
    StopRenderer();
    return false;
  }
  ShowWindow(window, showCommand);
  Pacer = FramePacer(ReportedRefreshRate());
  CreateFrameTimer();
  SampleClock();
  ClockReferenceMs = GetTickCount64();
  return true;
}

bool WaitForFrameTime() {
  const double wait = Pacer.WaitBefore(Now());
  if (wait <= 0.0) return true;
  // NOTE: MWMO_INPUTAVAILABLE also wakes on input that is already queued but was looked at, so a
  // key or a move of the mouse ends the wait at once.
  if (FrameTimer) {
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(std::ceil(wait * 1e7));  // relative, in 100 ns units
    SetWaitableTimer(FrameTimer, &due, 0, nullptr, nullptr, FALSE);
    MsgWaitForMultipleObjectsEx(1, &FrameTimer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  } else {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::ceil(wait * 1000.0)), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
  return false;
}

void RenderOneFrame() {
  const ULONGLONG ms = GetTickCount64();
  if (ms - ClockReferenceMs >= 1000) {
    SampleClock();
    ClockReferenceMs = ms;
  }
  AdvanceBlossomRing(Pacer.FrameStarts(Now()));
  DrawFrameOn(Layout.viewports, Layout.viewportCount);
  SwapBuffers(DeviceContext);
  Pacer.FrameEnds(Now());
}

void RunLoop() {
  MSG message;
  for (;;) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else if (WaitForFrameTime()) {
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
  DeleteFrameTimer();
  if (SaverRunningSet) SetScreenSaverRunning(FALSE);
  SaverRunningSet = false;
}

void RunRenderer(int showCommand) {
  if (!StartRenderer(showCommand)) return;
  RunLoop();
  StopRenderer();
}

HDC RendererDeviceContext() { return DeviceContext; }
