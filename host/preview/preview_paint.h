// The preview's picture and painting, apart from its window so that tests can draw it into a
// memory DC: the still of the running saver (a JPEG resource decoded by the system) and the paint
// of the preview window.
#pragma once

#include <windows.h>

namespace Lumenfall_B {

// Resource id of the still (RCDATA): a 152×112 JPEG of the running saver.
constexpr int kPreviewStill = 101;

// Decodes the still of module with the system's picture decoder into a DIB section of our own;
// size receives its size. Null when the resource is missing or cannot be decoded. Needs OLE
// initialised on the calling thread.
HBITMAP LoadPreviewStill(HINSTANCE module, SIZE* size);

// Paints the preview window's client area: black, and the still at its own size from the
// top-left corner of imgPrev (Img_Prev's place), cut to imgPrev. A null still leaves all black.
void PaintPreview(HDC dc, const RECT& area, HBITMAP still, SIZE stillSize, const RECT& imgPrev);

}  // namespace Lumenfall_B
