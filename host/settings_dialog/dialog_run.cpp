// A small program that shows the settings dialog the way the host's /c does (settings loaded
// from Orvellia.ini beside it, the dialog shown modally, the program ends when it closes), for
// the end-to-end scenarios to drive while the host's start-up is not in the build.
#include "host_core.h"
#include "settings_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Lumenfall_B::LoadSettings();
  ShowSettingsDialog(instance);
  return 0;
}
