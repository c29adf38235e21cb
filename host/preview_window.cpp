// Lumenfall_R, the preview: a borderless black window holding the still picture Img_Prev, made a
// child of the system's preview area and sized to it.
#include <windows.h>
#include <ole2.h>

#include "host_core.h"
#include "host_windows.h"
#include "preview_paint.h"

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

LRESULT CALLBACK PreviewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* w = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE:
      w = static_cast<PreviewWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      w->hwnd = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
      break;
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

  OleInitialize(nullptr);
  window.still = LoadPreviewStill(GetModuleHandleW(nullptr), &window.stillSize);
  WNDCLASSW wc{};
  wc.lpfnWndProc = PreviewProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = L"Lumenfall_R";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, WideFromUtf8(orv::kPreviewTitle).c_str(),
                              WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                              wc.hInstance, &window);
  if (!hwnd) EndHost();

  ApiResult = SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | WS_CHILD);
  ApiResult = static_cast<int32_t>(reinterpret_cast<INT_PTR>(SetParent(hwnd, parent)));
  MoveWindow(hwnd, 0, 0, width, height, FALSE);
  window.imgPrev = RECT{0, 0, width, height};
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
}

}  // namespace Lumenfall_B
