// Frame rate of the renderer at the screen's size: its real start-up, frame and message loop
// (RenderOneFrame between messages, as the shipped loop does); a frame of the ground alone; the
// floor of this display and GL: a frame that only clears, draws one full-screen textured quad and
// swaps; and the same scene sent batched (ground from a display list, blossoms in one
// glBegin/glEnd), to show what that saves under Wine.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "renderer_window.h"
#include "scene/clock_scene.h"
#include "scene_variants.h"

namespace {

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs the loop with the given frame for `seconds` after a short warm-up; frames per second, or a
// negative value when the window closed meanwhile.
template <typename Frame>
double MeasureFps(Frame frame, double seconds) {
  for (int i = 0; i < 20; ++i) frame();
  int frames = 0;
  const double start = Seconds();
  double now = start;
  MSG message;
  while (now - start < seconds) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return -1.0;
      TranslateMessage(&message);
      DispatchMessageA(&message);
      continue;
    }
    frame();
    ++frames;
    now = Seconds();
  }
  return frames / (now - start);
}

void FloorFrame() {
  DrawFloor();
  SwapBuffers(RendererDeviceContext());
}

// The scene's frame without hands and blossoms: where the ground's share of the cost shows.
void GroundFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  gluLookAt(0.0, 20.0, 25.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  DrawGround();
  SwapBuffers(RendererDeviceContext());
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
  RendererInstance = GetModuleHandleA(nullptr);
  SaverState state = {nullptr, 50, {0, 0}, FALSE};
  Saver = &state;
  if (!StartRenderer(SW_SHOWNORMAL)) {
    std::fprintf(stderr, "renderer start-up failed\n");
    return 1;
  }
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  std::printf("screen %dx%d, GL renderer %s, WGL_EXT_swap_control %s\n", GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN), glGetString(GL_RENDERER),
              extensions && std::strstr(extensions, "WGL_EXT_swap_control") ? "listed" : "not listed in GL_EXTENSIONS");
  const double scene = MeasureFps(RenderOneFrame, seconds);
  const double ground = MeasureFps(GroundFrame, seconds);
  const double floor = MeasureFps(FloorFrame, seconds);
  const GLuint groundList = CompileGroundList();
  const double batched = MeasureFps([groundList] {
    DrawFrameBatched(groundList);
    SwapBuffers(RendererDeviceContext());
  }, seconds);
  std::printf("scene %7.1f fps (%6.2f ms/frame)\n", scene, 1000.0 / scene);
  std::printf("ground%7.1f fps (%6.2f ms/frame)  clear, ground only, swap\n", ground, 1000.0 / ground);
  std::printf("floor %7.1f fps (%6.2f ms/frame)\n", floor, 1000.0 / floor);
  std::printf("batched %7.1f fps (%6.2f ms/frame)\n", batched, 1000.0 / batched);
  std::printf("scene frame costs %.2f x the floor\n", floor / scene);
  StopRenderer();
  DestroyWindow(state.window);
  Saver = nullptr;
  return scene > 0 && floor > 0 ? 0 : 1;
}
