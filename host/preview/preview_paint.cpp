// The preview's still and painting; see preview_paint.h.
#include "preview_paint.h"

#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <cstring>

#include "system_library.h"

namespace Lumenfall_B {

HBITMAP LoadPreviewStill(HINSTANCE module, SIZE* size) {
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(kPreviewStill), MAKEINTRESOURCEW(10));
  if (!res) return nullptr;
  DWORD bytes = SizeofResource(module, res);
  const void* data = LockResource(LoadResource(module, res));
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!data || !copy) return nullptr;
  memcpy(GlobalLock(copy), data, bytes);
  GlobalUnlock(copy);
  // The decoders live in ole32 and oleaut32, which only the preview uses.
  static auto* createStream =
      orv::SystemFunction<decltype(CreateStreamOnHGlobal)>("ole32.dll", "CreateStreamOnHGlobal");
  static auto* loadPicture = orv::SystemFunction<decltype(OleLoadPicture)>("oleaut32.dll", "OleLoadPicture");
  IStream* stream = nullptr;
  HBITMAP result = nullptr;
  if (createStream && loadPicture && SUCCEEDED(createStream(copy, TRUE, &stream))) {
    IPicture* picture = nullptr;
    if (SUCCEEDED(loadPicture(stream, static_cast<LONG>(bytes), FALSE, IID_IPicture,
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

void PaintPreview(HDC dc, const RECT& area, HBITMAP still, SIZE stillSize, const RECT& imgPrev) {
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (!still) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, still);
  int width = std::min<LONG>(stillSize.cx, imgPrev.right - imgPrev.left);
  int height = std::min<LONG>(stillSize.cy, imgPrev.bottom - imgPrev.top);
  BitBlt(dc, imgPrev.left, imgPrev.top, width, height, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace Lumenfall_B
