// Outside measurements of Windows programs running under Wine on an X display, timed with the
// monotonic clock at millisecond precision (a shell loop around xwd or kill -0 would add tens of
// milliseconds of its own):
//
//   probe frame X Y W H TIMEOUT LOG -- COMMAND...
//       starts COMMAND (output to LOG) and waits until a pixel of the screen region X,Y,W,H is no
//       longer black, i.e. the first frame is presented there; prints "PID MS".
//   probe exit PID[,PID...] TIMEOUT -- COMMAND...
//       runs COMMAND (the input, e.g. xdotool key space) and waits until every process PID has
//       gone (no longer in /proc, or a zombie); prints, for each PID in order, the milliseconds
//       from starting COMMAND to its end.
//
// Exit code 0 with the figures on stdout; 2 on a time-out, or when the program of `frame` ended
// before its first frame.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

double NowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void SleepMs(double ms) {
  timespec t{0, static_cast<long>(ms * 1e6)};
  nanosleep(&t, nullptr);
}

// Starts argv with stdin from /dev/null and stdout and stderr to `log`; its pid.
pid_t Spawn(char** argv, const char* log) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(log, O_WRONLY | O_CREAT | O_APPEND, 0644);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    execvp(argv[0], argv);
    _exit(127);
  }
  return pid;
}

// True while process `pid` exists and is not a zombie.
bool Alive(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(stat, text)) return false;
  const size_t close = text.rfind(')');
  return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

// True when some pixel of the region is clearly not black.
bool RegionLit(Display* display, int x, int y, int w, int h) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, w, h, AllPlanes, ZPixmap);
  if (!image) return false;
  bool lit = false;
  for (int j = 0; j < h && !lit; ++j) {
    for (int i = 0; i < w && !lit; ++i) {
      const unsigned long p = XGetPixel(image, i, j);
      lit = ((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff) > 48;
    }
  }
  XDestroyImage(image);
  return lit;
}

int Frame(int argc, char** argv) {
  if (argc < 9 || std::strcmp(argv[7], "--") != 0) return 64;
  const int x = std::atoi(argv[1]), y = std::atoi(argv[2]), w = std::atoi(argv[3]), h = std::atoi(argv[4]);
  const double timeoutMs = std::atof(argv[5]) * 1e3;
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "probe: no X display\n");
    return 2;
  }
  // A window of the previous run may still be on its way out.
  for (const double wait = NowMs(); RegionLit(display, x, y, w, h); SleepMs(10)) {
    if (NowMs() - wait > 10e3) {
      XCloseDisplay(display);
      std::fprintf(stderr, "probe: the region is lit before the start\n");
      return 2;
    }
  }
  const double start = NowMs();
  const pid_t pid = Spawn(argv + 8, argv[6]);
  while (!RegionLit(display, x, y, w, h)) {
    int status;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      XCloseDisplay(display);
      std::fprintf(stderr, "probe: the program ended before its first frame\n");
      return 2;
    }
    if (NowMs() - start > timeoutMs) {
      XCloseDisplay(display);
      std::fprintf(stderr, "probe: no frame within the time limit\n");
      return 2;
    }
    SleepMs(2);
  }
  std::printf("%d %.0f\n", static_cast<int>(pid), NowMs() - start);
  XCloseDisplay(display);
  return 0;  // the program runs on, adopted by init
}

int Exit(int argc, char** argv) {
  if (argc < 5 || std::strcmp(argv[3], "--") != 0) return 64;
  std::vector<pid_t> targets;
  for (char* p = argv[1]; *p;) {
    targets.push_back(static_cast<pid_t>(std::strtol(p, &p, 10)));
    if (*p == ',') ++p;
    else if (*p) return 64;
  }
  std::vector<double> gone(targets.size(), -1.0);
  for (pid_t target : targets) {
    if (!Alive(target)) {
      std::fprintf(stderr, "probe: process %d is not running\n", static_cast<int>(target));
      return 2;
    }
  }
  const double start = NowMs();
  const pid_t input = Spawn(argv + 4, "/dev/null");
  const double timeoutMs = std::atof(argv[2]) * 1e3;
  for (size_t left = targets.size(); left > 0; SleepMs(1)) {
    for (size_t i = 0; i < targets.size(); ++i) {
      if (gone[i] < 0 && !Alive(targets[i])) {
        gone[i] = NowMs() - start;
        --left;
      }
    }
    if (left > 0 && NowMs() - start > timeoutMs) {
      std::fprintf(stderr, "probe: a process still runs after the time limit\n");
      return 2;
    }
  }
  waitpid(input, nullptr, 0);
  for (size_t i = 0; i < gone.size(); ++i) std::printf(i ? " %.0f" : "%.0f", gone[i]);
  std::printf("\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "frame") == 0) return Frame(argc - 1, argv + 1);
  if (argc > 1 && std::strcmp(argv[1], "exit") == 0) return Exit(argc - 1, argv + 1);
  std::fprintf(stderr,
               "usage: probe frame X Y W H TIMEOUT LOG -- COMMAND...\n"
               "       probe exit PID[,PID...] TIMEOUT -- COMMAND...\n");
  return 64;
}
