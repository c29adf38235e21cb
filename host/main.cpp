// The start-up module: Main chooses the mode from the command line and opens the one window the
// host then lives for.
#include <windows.h>

#include "command_line.h"
#include "media_winmm.h"
#include "preview_window.h"
#include "saver_window.h"
#include "settings_profile.h"
#include "startup.h"
#include "startup_state.h"
#include "text_system.h"
#ifdef ORV_HAVE_SETTINGS_DIALOG
#include "settings_dialog.h"
#endif

namespace Lumenfall_B {

void EndHost() { ExitProcess(0); }

void Main() {
  if (FindWindowA(nullptr, orv::kSaverTitle) || FindWindowA(nullptr, orv::kDialogTitle)) EndHost();

  CommandArguments = orv::ArgumentsOf(Utf8FromWide(GetCommandLineW()));
  orv::Mode mode = orv::ModeOf(CommandArguments);
  if (mode == orv::Mode::Preview) {
    ShowPreview(orv::PreviewHandleOf(CommandArguments));
    return;
  }

  LoadSettings();
  if (!PathExists(HostFolder() + orv::kRendererName)) {
    MessageBoxW(nullptr, WideFromUtf8(orv::kMissingRendererText).c_str(),
                WideFromUtf8(orv::kAppTitle).c_str(), MB_OK);
    EndHost();
  }
  if (mode == orv::Mode::Settings) {
#ifdef ORV_HAVE_SETTINGS_DIALOG
    ShowSettingsDialog(GetModuleHandleW(nullptr));
#endif
    EndHost();
  }
  if (mode == orv::Mode::End) EndHost();
  if (mode == orv::Mode::Saver) CursorCount = ShowCursor(FALSE);
  CreateSaverWindow();
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
