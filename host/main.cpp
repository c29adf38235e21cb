// The start-up module: Main chooses the mode from the command line (startup_rules.h) and opens the
// one window the host then lives for; here each of its steps is carried out on the system.
#include <windows.h>

#include "command_line.h"
#include "media_winmm.h"
#include "preview_window.h"
#include "saver_window.h"
#include "settings_profile.h"
#include "startup.h"
#include "startup_rules.h"
#include "startup_state.h"
#include "text_system.h"
#ifdef ORV_HAVE_SETTINGS_DIALOG
#include "settings_dialog.h"
#endif

namespace Lumenfall_B {
namespace {

class Win32Startup final : public orv::StartupSystem {
 public:
  bool OtherInstanceRunning() override {
    return FindWindowA(nullptr, orv::kSaverTitle) || FindWindowA(nullptr, orv::kDialogTitle);
  }
  void ShowPreview(std::optional<int32_t> parentHandle) override {
    Lumenfall_B::ShowPreview(parentHandle);
  }
  void LoadSettings() override { Lumenfall_B::LoadSettings(); }
  bool RendererExists() override { return PathExists(HostFolder() + orv::kRendererName); }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    MessageBoxW(nullptr, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), MB_OK);
  }
  void ShowSettingsDialog() override {
#ifdef ORV_HAVE_SETTINGS_DIALOG
    ::ShowSettingsDialog(GetModuleHandleW(nullptr));
#endif
  }
  int32_t HideCursor() override { return ShowCursor(FALSE); }
  bool CreateSaverWindow() override { return Lumenfall_B::CreateSaverWindow() != nullptr; }
  void EndHost() override { Lumenfall_B::EndHost(); }
};

}  // namespace

void EndHost() { ExitProcess(0); }

void Main() {
  CommandArguments = orv::ArgumentsOf(Utf8FromWide(GetCommandLineW()));
  Win32Startup system;
  orv::RunMain(CommandArguments, system);
}

}  // namespace Lumenfall_B

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  static Lumenfall_BGM::WinmmMedia media;
  Lumenfall_BGM::SetMediaLayer(&media);
  Lumenfall_B::Main();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
