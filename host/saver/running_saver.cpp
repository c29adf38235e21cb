// Lumenfall_S's behaviour; see running_saver.h.
#include "running_saver.h"

#include "bgm.h"
#include "command_line.h"
#include "music_settings.h"
#include "startup_state.h"

namespace orv {
namespace {

unsigned IntervalOf(SaverTimer timer) {
  switch (timer) {
    case SaverTimer::Timer1: return 1000;
    case SaverTimer::Timer2: return 200;
    case SaverTimer::Timer3: return 500;
  }
  return 0;
}

}  // namespace

void RunningSaver::Enable(SaverTimer timer, bool on) {
  enabled_[static_cast<int>(timer)] = on;
  system_.SetTimer(timer, IntervalOf(timer), on);
}

void RunningSaver::Create() {
  Enable(SaverTimer::Timer3, true);
  Form_Load();
}

void RunningSaver::Form_Load() {
  using namespace Lumenfall_BGM;
  system_.StartRenderer();
  if (BgmMode == 1) {
    CD_Open();
    Enable(SaverTimer::Timer2, true);
  }
  if (BgmMode == 2) {
    MusicKind kind = MusicKindOf(BgmFile, codePage_);
    if (kind == MusicKind::Wav) WAV_Play();
    if (kind == MusicKind::Mp3) {
      MP3_Play();
      Enable(SaverTimer::Timer1, true);
    }
  }
}

void RunningSaver::Timer1_Timer() { Lumenfall_BGM::MP3_Replay(); }

void RunningSaver::Timer2_Timer() {
  Lumenfall_BGM::CD_Check();
  Enable(SaverTimer::Timer2, Lumenfall_BGM::CdPolling);
}

void RunningSaver::Timer3_Timer() {
  bool exists = system_.RendererWindowExists();
  rendererWindowSeen_ = rendererWindowSeen_ || exists;
  if (WatchEndsSaver(exists, rendererWindowSeen_, system_.RendererState())) {
    Enable(SaverTimer::Timer3, false);
    system_.Close();
  }
}

void RunningSaver::RendererEnded() {
  if (Enabled(SaverTimer::Timer3)) Timer3_Timer();
}

void RunningSaver::Form_QueryUnload() {
  using namespace Lumenfall_BGM;
  if (Enabled(SaverTimer::Timer2)) {
    Enable(SaverTimer::Timer2, false);
    CD_Stop();
  }
  if (BgmMode == 2) {
    MusicKind kind = MusicKindOf(BgmFile, codePage_);
    if (kind == MusicKind::Wav) WAV_Stop();
    if (kind == MusicKind::Mp3) {
      Enable(SaverTimer::Timer1, false);
      MP3_Stop();
    }
  }
  if (ModeLetterOf(Lumenfall_B::CommandArguments) == 'S')
    Lumenfall_B::CursorCount = system_.ShowCursor();
  system_.EndHost();
}

}  // namespace orv
