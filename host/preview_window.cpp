// Lumenfall_R, the preview: a borderless black window holding the still picture Img_Prev, made a
// child of the system's preview area and sized to it.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <algorithm>

#include "host_core.h"
#include "host_windows.h"

namespace Lumenfall_B {
namespace {

constexpr int kPreviewStill = 101;  // RCDATA: the 152×112 JPEG still of the running saver

struct PreviewWindow {
  HWND hwnd = nullptr;
  HBITMAP still = nullptr;  // Img_Prev's picture, decoded by the system
  SIZE stillSize{};
  RECT imgPrev{};           // Img_Prev's place in the window
};

// Decodes the JPEG resource with the system's picture decoder into a bitmap of our own.
HBITMAP LoadStill(SIZE* size) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(kPreviewStill), MAKEINTRESOURCEW(10));
  if (!res) return nullptr;
  DWORD bytes = SizeofResource(module, res);
  const void* data = LockResource(LoadResource(module, res));
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!data || !copy) return nullptr;
  memcpy(GlobalLock(copy), data, bytes);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  HBITMAP result = nullptr;
  if (SUCCEEDED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    IPicture* picture = nullptr;
    if (SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(bytes), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture)))) {
      OLE_HANDLE handle = 0;
      if (SUCCEEDED(picture->get_Handle(&handle))) {
        result = static_cast<HBITMAP>(CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        BITMAP bm{};
        if (result && GetObjectW(result, sizeof bm, &bm)) *size = SIZE{bm.bmWidth, bm.bmHeight};
      }
      picture->Release();
    }
    stream->Release();
  } else {
    GlobalFree(copy);
  }
  return result;
}

// Draws the window: black, and the still at its own size from Img_Prev's top-left, clipped to it.
void PaintPreview(const PreviewWindow& w, HDC dc, const RECT& area) {
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (!w.still) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, w.still);
  int width = std::min<LONG>(w.stillSize.cx, w.imgPrev.right - w.imgPrev.left);
  int height = std::min<LONG>(w.stillSize.cy, w.imgPrev.bottom - w.imgPrev.top);
  BitBlt(dc, w.imgPrev.left, w.imgPrev.top, width, height, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

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
      PaintPreview(*w, dc, area);
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
  window.still = LoadStill(&window.stillSize);
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
