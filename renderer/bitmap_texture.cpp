#include "bitmap_texture.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "renderer_window.h"
#include "scene/clock_scene.h"
#include "scene/texture_upload.h"

bool LoadBitmapTexture(int id, int slot) {
  HBITMAP natural = static_cast<HBITMAP>(
      LoadImageA(RendererInstance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!natural) return false;
  DIBSECTION header = {};
  GetObjectA(natural, sizeof header, &header);
  const int m = std::min<int>(header.dsBm.bmWidth, std::abs(header.dsBm.bmHeight));
  const int size = TextureSizeFor(m);
  DeleteObject(natural);

  // The system's loader scales the picture to the square texture size.
  HBITMAP scaled = static_cast<HBITMAP>(
      LoadImageA(RendererInstance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, size, size, LR_CREATEDIBSECTION));
  if (!scaled) return false;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // rows from the top down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = size * size * 3;

  HDC screen = GetDC(nullptr);
  // Rows are padded to four bytes (a no-op for the shipped 32 and 512 sizes), as GetDIBits writes
  // them and as GL's default unpack alignment reads them.
  std::vector<unsigned char> pixels(static_cast<size_t>(TextureRowBytes(size)) * size);
  GetDIBits(screen, scaled, 0, size, pixels.data(), &info, DIB_RGB_COLORS);
  UploadTexture(&TextureSlots[slot], pixels.data(), size);
  DeleteObject(scaled);
  ReleaseDC(nullptr, screen);
  return true;
}
