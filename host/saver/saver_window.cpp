// Lumenfall_S, the hidden window of the running saver: carries out the steps of running_saver.h
// on the system (the renderer's process, window-message timers, the cursor) and ends the host.
#include "saver_window.h"

#include <string>

#include "running_saver.h"
#include "startup.h"
#include "startup_state.h"
#include "text_system.h"
#include "window_class.h"

namespace Lumenfall_B {
namespace {

// Posted by the thread pool when the renderer process ends, so that the watch runs at once rather
// than at its next tick: the host and the music end with the renderer, not up to 500 ms later.
constexpr UINT WM_RENDERER_ENDED = WM_APP + 1;

struct SaverWindow final : orv::SaverSystem {
  HWND hwnd = nullptr;
  orv::RunningSaver saver{*this, SystemCodePage()};
  std::string RendererPath;
  int32_t RendererTask = 0;
  HANDLE rendererProcess = nullptr;  // to tell a renderer still starting from one that ended
  HANDLE rendererWait = nullptr;     // the thread-pool wait on rendererProcess

  void StartRenderer() override;
  void SetTimer(orv::SaverTimer timer, unsigned milliseconds, bool enabled) override {
    auto id = static_cast<UINT_PTR>(timer);
    if (enabled) ::SetTimer(hwnd, id, milliseconds, nullptr);
    else KillTimer(hwnd, id);
  }
  bool RendererWindowExists() override { return FindWindowA(nullptr, orv::kRendererTitle) != nullptr; }
  orv::RendererProcess RendererState() override {
    if (!rendererProcess) return orv::RendererProcess::NotStarted;
    return WaitForSingleObject(rendererProcess, 0) == WAIT_OBJECT_0 ? orv::RendererProcess::Exited
                                                                    : orv::RendererProcess::Running;
  }
  void Close() override { PostMessageW(hwnd, WM_CLOSE, 0, 0); }
  int32_t ShowCursor() override { return ::ShowCursor(TRUE); }
  void EndHost() override { Lumenfall_B::EndHost(); }
};

VOID CALLBACK RendererEnded(PVOID saverWindow, BOOLEAN) {
  PostMessageW(static_cast<HWND>(saverWindow), WM_RENDERER_ENDED, 0, 0);
}

// Starts the renderer by its full path: no search and no command-line parsing, so a folder with
// blanks in its name can neither break nor redirect the start.
void SaverWindow::StartRenderer() {
  RendererPath = HostFolder() + orv::kRendererName;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  std::string commandLine = "\"" + RendererPath + "\"";
  if (CreateProcessA(RendererPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                     nullptr, nullptr, &si, &pi)) {
    RendererTask = static_cast<int32_t>(pi.dwProcessId);
    rendererProcess = pi.hProcess;
    CloseHandle(pi.hThread);
    RegisterWaitForSingleObject(&rendererWait, pi.hProcess, RendererEnded, hwnd, INFINITE,
                                WT_EXECUTEONLYONCE);
  }
}

LRESULT OnMessage(SaverWindow& w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      w.saver.Create();
      return 0;
    case WM_TIMER:
      if (wp == static_cast<UINT_PTR>(orv::SaverTimer::Timer1)) w.saver.Timer1_Timer();
      if (wp == static_cast<UINT_PTR>(orv::SaverTimer::Timer2)) w.saver.Timer2_Timer();
      if (wp == static_cast<UINT_PTR>(orv::SaverTimer::Timer3)) w.saver.Timer3_Timer();
      return 0;
    case WM_RENDERER_ENDED:
      w.saver.RendererEnded();
      return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
      w.saver.Form_QueryUnload();
      return 0;
  }
  return DefWindowProcW(w.hwnd, msg, wp, lp);
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
