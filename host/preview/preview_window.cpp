// Lumenfall_R, the preview: a borderless black window holding the still picture Img_Prev, made a
// child of the system's preview area and sized to it.
#include <windows.h>
#include <ole2.h>

#include "preview_paint.h"
#include "preview_window.h"
#include "startup.h"
#include "startup_state.h"
#include "system_library.h"
#include "text_system.h"
#include "window_class.h"

namespace Lumenfall_B {
namespace {

struct PreviewWindow {
  HWND hwnd = nullptr;
  HBITMAP still = nullptr;  // Img_Prev's picture, decoded by the system
  SIZE stillSize{};
  RECT imgPrev{};           // Img_Prev's place in the window
};

// The preview closes: ask the window to close (it already does) and end the host with it.
[[noreturn]] void Form_Unload(PreviewWindow& w) {
  ApiResult = PostMessageA(w.hwnd, WM_CLOSE, 0, 0);
  EndHost();
}

LRESULT OnMessage(PreviewWindow& window, UINT msg, WPARAM wp, LPARAM lp) {
  PreviewWindow* w = &window;
  HWND hwnd = w->hwnd;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT area;
      GetClientRect(hwnd, &area);
      PaintPreview(dc, area, w->still, w->stillSize, w->imgPrev);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      Form_Unload(*w);
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void ShowPreview(std::optional<int32_t> parentHandle) {
  static PreviewWindow window;  // lives as long as the host
  // A handle that names no window leaves nothing to show in: the host ends rather than linger.
  HWND parent = reinterpret_cast<HWND>(static_cast<INT_PTR>(parentHandle.value_or(0)));
  if (!parent || !IsWindow(parent)) EndHost();

  RECT r{};
  ApiResult = GetWindowRect(parent, &r);
  int width = r.right - r.left, height = r.bottom - r.top;

  // OLE, for the still's decoder, from ole32 loaded now: only the preview uses it.
  if (auto* oleInitialize = orv::SystemFunction<decltype(OleInitialize)>("ole32.dll", "OleInitialize"))
    oleInitialize(nullptr);
  window.still = LoadPreviewStill(GetModuleHandleW(nullptr), &window.stillSize);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  tk::RegisterWindowClass(instance, L"Lumenfall_R", tk::StateWindowProc<PreviewWindow, OnMessage>, nullptr,
                          static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HWND hwnd = CreateWindowExW(0, L"Lumenfall_R", WideFromUtf8(orv::kPreviewTitle).c_str(),
                              WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr, instance,
                              &window);
  if (!hwnd) EndHost();

  ApiResult = SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | WS_CHILD);
  ApiResult = static_cast<int32_t>(reinterpret_cast<INT_PTR>(SetParent(hwnd, parent)));
  MoveWindow(hwnd, 0, 0, width, height, FALSE);
  window.imgPrev = RECT{0, 0, width, height};
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
}

}  // namespace Lumenfall_B
