// Main's rules; see startup_rules.h.
#include "startup_rules.h"

#include "command_line.h"
#include "startup_state.h"

namespace orv {

void RunMain(const std::string& arguments, StartupSystem& system) {
  if (system.OtherInstanceRunning()) return system.EndHost();
  Mode mode = ModeOf(arguments);
  if (mode == Mode::Preview) return system.ShowPreview(PreviewHandleOf(arguments));

  system.LoadSettings();
  if (!system.RendererExists()) {
    system.ShowMessage(kMissingRendererText, kAppTitle);
    return system.EndHost();
  }
  if (mode == Mode::Settings) {
    system.ShowSettingsDialog();
    return system.EndHost();
  }
  if (mode == Mode::End) return system.EndHost();
  if (mode == Mode::Saver) Lumenfall_B::CursorCount = system.HideCursor();
  // The host lives exactly as long as its one window: without it, nothing would ever end it.
  if (!system.CreateSaverWindow()) system.EndHost();
}

}  // namespace orv
