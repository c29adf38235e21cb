// Lumenfall_S, the hidden window of the running saver: starts the renderer and the music, keeps
// the music going, and ends the host when the renderer's window has gone.
#include <windows.h>

#include <memory>

#include "bgm.h"
#include "command_line.h"
#include "music_settings.h"
#include "saver_window.h"
#include "startup.h"
#include "startup_state.h"
#include "text_system.h"
#include "watch.h"
#include "window_class.h"

namespace Lumenfall_B {
namespace {

enum TimerId : UINT_PTR { Timer1 = 1, Timer2 = 2, Timer3 = 3 };

// Posted by the thread pool when the renderer process ends, so that the watch runs at once rather
// than at its next tick: the host and the music end with the renderer, not up to 500 ms later.
constexpr UINT WM_RENDERER_ENDED = WM_APP + 1;

struct SaverWindow {
  HWND hwnd = nullptr;
  std::string RendererPath;
  int32_t RendererTask = 0;
  HANDLE rendererProcess = nullptr;  // to tell a renderer still starting from one that ended
  HANDLE rendererWait = nullptr;     // the thread-pool wait on rendererProcess
  bool rendererWindowSeen = false;
  bool timer1 = false, timer2 = false, timer3 = false;  // enabled states

  void Enable(UINT_PTR id, bool* state, UINT ms, bool on) {
    *state = on;
    if (on) SetTimer(hwnd, id, ms, nullptr);
    else KillTimer(hwnd, id);
  }
};

VOID CALLBACK RendererEnded(PVOID saverWindow, BOOLEAN) {
  PostMessageW(static_cast<HWND>(saverWindow), WM_RENDERER_ENDED, 0, 0);
}

// Starts the renderer by its full path: no search and no command-line parsing, so a folder with
// blanks in its name can neither break nor redirect the start.
void StartRenderer(SaverWindow& w) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  std::string commandLine = "\"" + w.RendererPath + "\"";
  if (CreateProcessA(w.RendererPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                     nullptr, nullptr, &si, &pi)) {
    w.RendererTask = static_cast<int32_t>(pi.dwProcessId);
    w.rendererProcess = pi.hProcess;
    CloseHandle(pi.hThread);
    RegisterWaitForSingleObject(&w.rendererWait, pi.hProcess, RendererEnded, w.hwnd, INFINITE,
                                WT_EXECUTEONLYONCE);
  }
}

void Form_Load(SaverWindow& w) {
  using namespace Lumenfall_BGM;
  w.RendererPath = HostFolder() + orv::kRendererName;
  StartRenderer(w);
  if (BgmMode == 1) {
    CD_Open();
    w.Enable(Timer2, &w.timer2, 200, true);
  }
  if (BgmMode == 2) {
    orv::MusicKind kind = orv::MusicKindOf(BgmFile);
    if (kind == orv::MusicKind::Wav) WAV_Play();
    if (kind == orv::MusicKind::Mp3) {
      MP3_Play();
      w.Enable(Timer1, &w.timer1, 1000, true);
    }
  }
}

void Timer3_Timer(SaverWindow& w) {
  bool exists = FindWindowA(nullptr, orv::kRendererTitle) != nullptr;
  w.rendererWindowSeen = w.rendererWindowSeen || exists;
  orv::RendererProcess process = orv::RendererProcess::NotStarted;
  if (w.rendererProcess)
    process = WaitForSingleObject(w.rendererProcess, 0) == WAIT_OBJECT_0 ? orv::RendererProcess::Exited
                                                                         : orv::RendererProcess::Running;
  if (orv::WatchEndsSaver(exists, w.rendererWindowSeen, process)) {
    w.Enable(Timer3, &w.timer3, 500, false);
    PostMessageW(w.hwnd, WM_CLOSE, 0, 0);
  }
}

[[noreturn]] void Form_QueryUnload(SaverWindow& w) {
  using namespace Lumenfall_BGM;
  if (w.timer2) {
    w.Enable(Timer2, &w.timer2, 200, false);
    CD_Stop();
  }
  if (BgmMode == 2) {
    orv::MusicKind kind = orv::MusicKindOf(BgmFile);
    if (kind == orv::MusicKind::Wav) WAV_Stop();
    if (kind == orv::MusicKind::Mp3) {
      w.Enable(Timer1, &w.timer1, 1000, false);
      MP3_Stop();
    }
  }
  if (orv::ModeLetterOf(CommandArguments) == 'S') CursorCount = ShowCursor(TRUE);
  EndHost();
}

LRESULT OnMessage(SaverWindow& window, UINT msg, WPARAM wp, LPARAM lp) {
  SaverWindow* w = &window;
  switch (msg) {
    case WM_CREATE:
      w->Enable(Timer3, &w->timer3, 500, true);
      Form_Load(*w);
      return 0;
    case WM_TIMER:
      if (wp == Timer1) Lumenfall_BGM::MP3_Replay();
      if (wp == Timer2) {
        Lumenfall_BGM::CD_Check();
        w->Enable(Timer2, &w->timer2, 200, Lumenfall_BGM::CdPolling);
      }
      if (wp == Timer3) Timer3_Timer(*w);
      return 0;
    case WM_RENDERER_ENDED:
      if (w->timer3) Timer3_Timer(*w);
      return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
      Form_QueryUnload(*w);
  }
  return DefWindowProcW(w->hwnd, msg, wp, lp);
}

}  // namespace

HWND CreateSaverWindow() {
  static SaverWindow window;  // lives as long as the host
  HINSTANCE instance = GetModuleHandleW(nullptr);
  tk::RegisterWindowClass(instance, L"Lumenfall_S", tk::StateWindowProc<SaverWindow, OnMessage>);
  return CreateWindowExW(0, L"Lumenfall_S", WideFromUtf8(orv::kSaverTitle).c_str(),
                         WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr, instance, &window);
}

}  // namespace Lumenfall_B
