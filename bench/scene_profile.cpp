// Where the renderer's frame time goes, natively: the clock scene drawn offscreen with Mesa
// (OSMesa) at a given size, timed as a whole and by part against the floor frame (clear, one
// full-screen textured quad), plus ways of sending the same ground and blossoms with fewer GL
// calls and state changes.
// Built without sanitizers so the figures and a callgrind or perf profile show the real costs:
//
//   scene_profile [WIDTH HEIGHT [SECONDS]]        prints milliseconds per frame of each part
//   scene_profile WIDTH HEIGHT SECONDS scene      only the full frame (for callgrind / perf record)
#include <GL/osmesa.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "scene/blossom_ring.h"
#include "scene/clock_scene.h"
#include "scene/texture_upload.h"
#include "scene_variants.h"

namespace {

// A 24-bit bottom-up BMP file as the top-down rows UploadTexture takes; false when unreadable.
bool UploadBmp(const char* path, int slot) {
  std::ifstream file(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  auto u32 = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24; };
  const int offset = static_cast<int>(u32(10)), width = static_cast<int>(u32(18)), height = static_cast<int>(u32(22));
  const int size = TextureSizeFor(width < height ? width : height);
  const int rowBytes = TextureRowBytes(width), outRow = TextureRowBytes(size);
  if (bytes.size() < static_cast<size_t>(offset) + static_cast<size_t>(rowBytes) * height) return false;
  std::vector<unsigned char> pixels(static_cast<size_t>(outRow) * size);
  for (int y = 0; y < size; ++y)
    std::memcpy(&pixels[y * outRow], &bytes[offset + (height - 1 - y) * rowBytes], size * 3);
  UploadTexture(&TextureSlots[slot], pixels.data(), size);
  return true;
}

void FloorFrame() { DrawFloor(); }

double Seconds(clockid_t clock) {
  timespec t;
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Cost {
  double wallMs;  // elapsed per frame
  double cpuMs;   // CPU per frame, all threads (Mesa draws with several): steadier on a busy machine
};

// Cost per frame of `frame` (finished with glFinish) over about `seconds`.
Cost MsPerFrame(const std::function<void()>& frame, double seconds) {
  for (int i = 0; i < 5; ++i) frame(), glFinish();
  int frames = 0;
  const double start = Seconds(CLOCK_MONOTONIC), cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  double now = start;
  while (now - start < seconds) {
    frame();
    glFinish();
    ++frames;
    now = Seconds(CLOCK_MONOTONIC);
  }
  return {1000.0 * (now - start) / frames, 1000.0 * (Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart) / frames};
}

}  // namespace

int main(int argc, char** argv) {
  const int width = argc > 2 ? std::atoi(argv[1]) : 1920;
  const int height = argc > 2 ? std::atoi(argv[2]) : 1080;
  const double seconds = argc > 3 ? std::atof(argv[3]) : 2.0;
  const bool sceneOnly = argc > 4 && std::strcmp(argv[4], "scene") == 0;

  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
  std::vector<unsigned char> frame(static_cast<size_t>(width) * height * 4);
  if (!context || !OSMesaMakeCurrent(context, frame.data(), GL_UNSIGNED_BYTE, width, height)) {
    std::fprintf(stderr, "no OSMesa context\n");
    return 1;
  }
  SetProjection(width, height);
  SetFixedGlState();
  BuildGroundGrid();
  InitBlossomRing();
  std::time_t now = std::time(nullptr);
  SampleClockFrom(*std::localtime(&now));
  const char* pictures = ORV_PICTURES_DIR;
  const std::string dial = std::string(pictures) + "/dial.bmp", blossom = std::string(pictures) + "/blossom.bmp";
  if (!UploadBmp(dial.c_str(), 0) || !UploadBmp(blossom.c_str(), 1) || !UploadBmp(blossom.c_str(), 2)) {
    std::fprintf(stderr, "cannot read the pictures in %s\n", pictures);
    return 1;
  }

  if (sceneOnly) {
    const Cost scene = MsPerFrame(DrawFrame, seconds);
    std::printf("scene %.2f ms/frame, CPU %.2f ms/frame\n", scene.wallMs, scene.cpuMs);
    return 0;
  }

  const GLuint groundList = CompileGroundList();

  std::printf("%dx%d, %s, OSMesa offscreen, per frame (glFinish each frame):\n", width, height,
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  std::printf("  %-46s %8s %8s %s\n", "", "wall ms", "CPU ms", "CPU / floor CPU");
  const Cost floor = MsPerFrame(FloorFrame, seconds);
  const Cost scene = MsPerFrame(DrawFrame, seconds);
  struct Part {
    const char* name;
    std::function<void()> draw;
  };
  const Part parts[] = {
      {"clear + camera only", [] { Camera(); }},
      {"ground (DrawGround)", [] { Camera(), DrawGround(); }},
      {"hands (DrawHands)", [] { Camera(), DrawHands(); }},
      {"blossom ring (DrawBlossomRing)", [] { Camera(), DrawBlossomRing(); }},
      {"ground in one glBegin/glEnd", [] { Camera(), GroundOneBatch(); }},
      {"ground from a display list", [&] { Camera(), glCallList(groundList); }},
      {"ring with its state set once, one glBegin/glEnd", [] { Camera(), RingOneBatch(); }},
      {"scene: ground one glBegin/glEnd, ring batched", [] { Camera(), GroundOneBatch(), DrawHands(), RingOneBatch(); }},
      {"scene: ground display list, ring batched", [&] { DrawFrameBatched(groundList); }},
  };
  auto print = [&](const char* name, Cost c) {
    std::printf("  %-46s %8.2f %8.2f %.2fx\n", name, c.wallMs, c.cpuMs, c.cpuMs / floor.cpuMs);
  };
  print("floor frame", floor);
  print("scene (DrawFrame)", scene);
  for (const Part& part : parts) print(part.name, MsPerFrame(part.draw, seconds));
  OSMesaDestroyContext(context);
  return 0;
}
