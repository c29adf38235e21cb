// Main's rules (portable): the single-instance test, the mode dispatch, the renderer check and
// the one window the host then lives for. The Win32 edge (main.cpp) carries out each step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

// What Main asks of the system, step by step.
class StartupSystem {
 public:
  virtual ~StartupSystem() = default;
  // A running saver window "Lumenfall_Main" or a settings dialog "<Orvellia>" exists.
  virtual bool OtherInstanceRunning() = 0;
  virtual void ShowPreview(std::optional<int32_t> parentHandle) = 0;
  virtual void LoadSettings() = 0;
  // The host's folder followed by "\Orvellia.dll" names a readable file.
  virtual bool RendererExists() = 0;
  // The message box with text, the host's title as caption, no icon and an OK button only;
  // returns when the user has closed it.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  // The settings dialog, modally: returns when it has closed.
  virtual void ShowSettingsDialog() = 0;
  // ShowCursor(FALSE): the display count it returns.
  virtual int32_t HideCursor() = 0;
  // Creates the hidden running-saver window; false when it cannot be created.
  virtual bool CreateSaverWindow() = 0;
  // Ends the host process (a stand-in in tests returns, and Main returns after it).
  virtual void EndHost() = 0;
};

// Main over the arguments of the command line: ends the host, or returns with the one window
// opened that the host then lives for (the preview or the running saver). Keeps the cursor's
// display count in CursorCount when it hides the cursor.
void RunMain(const std::string& arguments, StartupSystem& system);

}  // namespace orv
