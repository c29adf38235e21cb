// Renders one frame of the clock scene offscreen with Mesa, as the renderer draws it on screen,
// and writes it as a binary PPM (rows from the top).
//
//   orv_preview DIAL.bgr BLOSSOM.bgr WIDTH HEIGHT HH:MM:SS FRAMES OUT.ppm
//
// DIAL.bgr and BLOSSOM.bgr are the 512 x 512 and 32 x 32 pictures as raw bytes, rows from the top,
// blue-green-red per pixel (the layout the renderer's loader reads from its bitmaps). FRAMES frames
// are drawn first, so the blossom ring has moved on as it has after a while on screen.
#include <GL/osmesa.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "scene/blossom_ring.h"
#include "scene/clock_scene.h"
#include "scene/texture_upload.h"

// NOTE: Mesa's OSMesa keeps a few small allocations after its context is destroyed (the native build
// checks for leaks).
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa.so\n"; }

namespace {

bool LoadPicture(const char* path, int size, GLuint* slot) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != static_cast<size_t>(TextureRowBytes(size)) * size) {
    std::fprintf(stderr, "%s: expected a %d x %d picture of 3 bytes a pixel\n", path, size, size);
    return false;
  }
  UploadTexture(slot, bytes.data(), size);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int width = 0, height = 0, frames = 0;
  std::tm local = {};
  if (argc != 8 || std::sscanf(argv[3], "%d", &width) != 1 || std::sscanf(argv[4], "%d", &height) != 1 ||
      std::sscanf(argv[5], "%d:%d:%d", &local.tm_hour, &local.tm_min, &local.tm_sec) != 3 ||
      std::sscanf(argv[6], "%d", &frames) != 1 || width <= 0 || height <= 0 || frames < 1) {
    std::fprintf(stderr, "usage: orv_preview DIAL.bgr BLOSSOM.bgr WIDTH HEIGHT HH:MM:SS FRAMES OUT.ppm\n");
    return 2;
  }
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
  std::vector<unsigned char> frame(static_cast<size_t>(width) * height * 4);
  if (!context || !OSMesaMakeCurrent(context, frame.data(), GL_UNSIGNED_BYTE, width, height)) {
    std::fprintf(stderr, "no offscreen GL context\n");
    return 1;
  }
  // The renderer's start-up: projection, fixed state, scene tables, pictures.
  SetProjection(width, height);
  SetFixedGlState();
  BuildGroundGrid();
  InitBlossomRing();
  if (!LoadPicture(argv[1], 512, &TextureSlots[0]) || !LoadPicture(argv[2], 32, &TextureSlots[1]) ||
      !LoadPicture(argv[2], 32, &TextureSlots[2])) {
    return 1;
  }
  SampleClockFrom(local);
  // Each frame after the first moves the ring on by one frame of a 60-frames-a-second run.
  for (int i = 0; i < frames; ++i) {
    if (i > 0) AdvanceBlossomRing(1.0 / 60.0);
    DrawFrame();
  }
  glFinish();

  std::FILE* out = std::fopen(argv[7], "wb");
  if (!out) {
    std::perror(argv[7]);
    return 1;
  }
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (int y = height - 1; y >= 0; --y) {  // the frame's rows run from the bottom
    for (int x = 0; x < width; ++x) std::fwrite(&frame[(static_cast<size_t>(y) * width + x) * 4], 1, 3, out);
  }
  std::fclose(out);
  OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  OSMesaDestroyContext(context);
  return 0;
}
