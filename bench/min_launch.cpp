// Reference for the host's share of the saver's start: the least a program that starts the
// renderer can add. It starts the program named on its command line (shown normally, no other
// arguments) and waits for it to end, as the running host does; nothing else runs first.
//   min_launch.exe [/window] "C:\...\Orvellia.dll"
// With /window it first opens a hidden top-level window and starts the program from that
// window's creation, the order the host's start follows (Main, then the saver window's Form_Load).
#include <windows.h>

#include <string>

namespace {

std::string g_program;
HANDLE g_process = nullptr;

bool Start() {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  std::string commandLine = "\"" + g_program + "\"";
  if (!CreateProcessA(g_program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  g_process = pi.hProcess;
  return true;
}

// Waits for the started program to end, answering messages meanwhile, as the host does.
int WaitForProgram() {
  if (!g_process) return 1;
  while (MsgWaitForMultipleObjects(1, &g_process, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  CloseHandle(g_process);
  return 0;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return Start() ? 0 : -1;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  std::string args = commandLine;
  bool window = args.rfind("/window ", 0) == 0;
  if (window) args.erase(0, 8);
  if (args.size() >= 2 && args.front() == '"' && args.back() == '"') args = args.substr(1, args.size() - 2);
  g_program = args;
  if (!window) {
    Start();
    return WaitForProgram();
  }
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "MinimalLaunch";
  RegisterClassA(&windowClass);
  CreateWindowExA(0, windowClass.lpszClassName, "MinimalLaunch", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0,
                  nullptr, nullptr, instance, nullptr);
  return WaitForProgram();
}
