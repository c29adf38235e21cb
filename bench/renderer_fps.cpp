// Frame rate of the renderer over the whole virtual screen: its real start-up, frame and message
// loop, unpaced (RenderOneFrame whenever no message waits) and paced as the shipped loop is
// (WaitForFrameTime before each frame), in turns of half a second, each with the process's CPU
// time; a frame of the ground
// alone; the floor of this display and GL: a frame that only clears, draws one textured quad over
// the whole window and swaps; and the same scene sent batched (ground from a display list,
// blossoms in one glBegin/glEnd), to show what that saves under Wine.
//
//   renderer_fps [SECONDS] [monitors]
// With "monitors" only the unpaced and paced scene and the floor frame are measured (the part
// frames of the ground alone and the batched scene draw into one monitor only).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame_pacing.h"
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

// CPU seconds of this process so far, all threads (llvmpipe draws on threads of its own).
double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](FILETIME t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
  };
  return seconds(kernel) + seconds(user);
}

struct Measure {
  double fps;
  double cpuPercent;  // of one core
  int waits;          // paced: times the loop waited for the next frame
  double waitedShare; // paced: the share of the time spent waiting
};

// What runs of the loop added up to.
struct Tally {
  int frames = 0, waits = 0;
  double wall = 0.0, cpu = 0.0, waited = 0.0;
  bool closed = false;  // the window closed meanwhile

  Measure Result() const {
    if (closed || wall <= 0.0) return {-1.0, 0.0, 0, 0.0};
    return {frames / wall, 100.0 * cpu / wall, waits, waited / wall};
  }
};

// Runs the loop with the given frame for `seconds`, adding to `tally`. Paced, the loop waits as
// the shipped one does.
template <typename Frame>
void RunLoopFor(Frame frame, double seconds, bool paced, Tally* tally) {
  const double start = Seconds(), cpuStart = ProcessCpuSeconds();
  double now = start;
  MSG message;
  while (now - start < seconds) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        tally->closed = true;
        return;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
      continue;
    }
    if (paced && !WaitForFrameTime()) {
      ++tally->waits;
      tally->waited += Seconds() - now;
      now = Seconds();
      continue;
    }
    frame();
    ++tally->frames;
    now = Seconds();
  }
  tally->wall += now - start;
  tally->cpu += ProcessCpuSeconds() - cpuStart;
}

// Frames per second of the given frame over `seconds` after a short warm-up, or a negative value
// when the window closed meanwhile.
template <typename Frame>
Measure MeasureFps(Frame frame, double seconds) {
  for (int i = 0; i < 20; ++i) frame();
  Tally tally;
  RunLoopFor(frame, seconds, false, &tally);
  return tally.Result();
}

// The renderer's loop unpaced and paced, in turns of half a second over 2 x `seconds`, so that
// both see the same load of a busy machine.
void MeasureUnpacedAndPaced(double seconds, Measure* unpaced, Measure* paced) {
  for (int i = 0; i < 20; ++i) RenderOneFrame();
  Tally tallies[2];
  for (int turn = 0; turn < static_cast<int>(seconds * 4.0); ++turn) {
    RunLoopFor(RenderOneFrame, 0.5, turn % 2 == 1, &tallies[turn % 2]);
  }
  *unpaced = tallies[0].Result();
  *paced = tallies[1].Result();
}

void FloorFrame() {
  const ScreenRect& window = RendererMonitorLayout().window;
  glViewport(0, 0, window.right - window.left, window.bottom - window.top);
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
  const bool monitorsOnly = argc > 2 && std::strcmp(argv[2], "monitors") == 0;
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
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  const MonitorLayout& layout = RendererMonitorLayout();
  std::printf("window %dx%d at %d,%d, %d monitor(s), refresh reported %lu Hz, paced to %.0f Hz\n",
              layout.window.right - layout.window.left, layout.window.bottom - layout.window.top, layout.window.left,
              layout.window.top, layout.viewportCount, mode.dmDisplayFrequency,
              1.0 / RefreshPeriod(static_cast<int>(mode.dmDisplayFrequency)));
  Measure scene, paced;
  MeasureUnpacedAndPaced(seconds, &scene, &paced);
  std::printf("paced judged %s\n", RendererPacing() ? "on: frames came faster than the display" : "off: frames came no faster than the display");
  const Measure floor = MeasureFps(FloorFrame, seconds);
  std::printf("scene %7.1f fps (%6.2f ms/frame) cpu %6.1f %%\n", scene.fps, 1000.0 / scene.fps, scene.cpuPercent);
  std::printf("paced %7.1f fps (%6.2f ms/frame) cpu %6.1f %%, %d waits, %.0f %% of the time waiting\n", paced.fps,
              1000.0 / paced.fps, paced.cpuPercent, paced.waits, 100.0 * paced.waitedShare);
  if (!monitorsOnly) {
    const Measure ground = MeasureFps(GroundFrame, seconds);
    const GLuint groundList = CompileGroundList();
    const Measure batched = MeasureFps([groundList] {
      DrawFrameBatched(groundList);
      SwapBuffers(RendererDeviceContext());
    }, seconds);
    std::printf("ground%7.1f fps (%6.2f ms/frame)  clear, ground only, swap\n", ground.fps, 1000.0 / ground.fps);
    std::printf("batched %7.1f fps (%6.2f ms/frame)\n", batched.fps, 1000.0 / batched.fps);
  }
  std::printf("floor %7.1f fps (%6.2f ms/frame) cpu %6.1f %%\n", floor.fps, 1000.0 / floor.fps, floor.cpuPercent);
  std::printf("scene frame costs %.2f x the floor\n", floor.fps / scene.fps);
  StopRenderer();
  DestroyWindow(state.window);
  Saver = nullptr;
  return scene.fps > 0 && floor.fps > 0 ? 0 : 1;
}
