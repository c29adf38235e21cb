// Lumenfall_S's behaviour (portable): it starts the renderer and the music, keeps the music going
// with two timers, watches a third for the renderer's window, and when that has gone stops the
// music, shows the cursor again and ends the host. The hidden window (saver_window.cpp) carries
// out each step on the system.
#pragma once

#include <cstdint>

#include "text.h"
#include "watch.h"

namespace orv {

enum class SaverTimer { Timer1 = 1, Timer2 = 2, Timer3 = 3 };

// What the running saver asks of the system.
class SaverSystem {
 public:
  virtual ~SaverSystem() = default;
  // Starts the host's folder followed by "\Orvellia.dll" as a process (SW_SHOWNORMAL).
  virtual void StartRenderer() = 0;
  virtual void SetTimer(SaverTimer timer, unsigned milliseconds, bool enabled) = 0;
  // A top-level window titled "Lumenfall_VC" exists.
  virtual bool RendererWindowExists() = 0;
  virtual RendererProcess RendererState() = 0;
  // Asks the window to close; its close runs Form_QueryUnload.
  virtual void Close() = 0;
  // ShowCursor(TRUE): the display count it returns.
  virtual int32_t ShowCursor() = 0;
  // Ends the host process (a stand-in in tests returns).
  virtual void EndHost() = 0;
};

class RunningSaver {
 public:
  RunningSaver(SaverSystem& system, const AnsiCodePage& codePage)
      : system_(system), codePage_(codePage) {}

  // The window's creation: Timer3 runs from here on, then Form_Load.
  void Create();
  // Starts the renderer, then the music by BgmMode and the kind of BgmFile.
  void Form_Load();
  void Timer1_Timer();  // MP3_Replay
  void Timer2_Timer();  // CD_Check; polling goes on while CdPolling
  void Timer3_Timer();  // the watch: closes the window once the renderer is taken for ended
  // The renderer process has ended: the watch runs at once, if it still runs.
  void RendererEnded();
  // Stops the music, shows the cursor again in /s mode and ends the host.
  void Form_QueryUnload();

  bool Enabled(SaverTimer timer) const { return enabled_[static_cast<int>(timer)]; }

 private:
  void Enable(SaverTimer timer, bool on);

  SaverSystem& system_;
  const AnsiCodePage& codePage_;
  bool enabled_[4] = {};
  bool rendererWindowSeen_ = false;
};

}  // namespace orv
