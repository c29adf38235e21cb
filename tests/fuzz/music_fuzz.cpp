// Drives the music procedures with arbitrary MCI results and replies. Checks: no procedure crashes
// or sends an empty command, a failed track or count query always ends the CD polling, and a
// query's answer is the reply or "Error:" and the code.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "bgm.h"
#include "music_settings.h"
#include "startup_state.h"

namespace {

using namespace Lumenfall_BGM;

// Answers every command from the fuzz input.
class FuzzMedia : public MediaLayer {
 public:
  explicit FuzzMedia(FuzzedDataProvider& in) : in_(in) {}
  int lastResult = 0;
  std::string lastCommand;

  int32_t sendString(const std::string& command, std::string* reply, uint32_t length) override {
    if (command.empty()) std::abort();
    lastCommand = command;
    lastResult = in_.ConsumeBool() ? 0 : in_.ConsumeIntegralInRange<int32_t>(1, 400);
    std::string text = in_.ConsumeRandomLengthString(300);
    if (reply) *reply = text.substr(0, std::min<size_t>(text.size(), length));
    return lastResult;
  }
  bool errorString(int32_t, std::string* text, uint32_t length) override {
    if (!in_.ConsumeBool()) return false;
    *text = in_.ConsumeRandomLengthString(length);
    return true;
  }
  int32_t playSound(const char*, uint32_t) override { return in_.ConsumeIntegral<int32_t>(); }
  int32_t waveOutDevices() override { return in_.ConsumeIntegralInRange<int32_t>(-1, 3); }

 private:
  FuzzedDataProvider& in_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  FuzzMedia media(in);
  SetMediaLayer(&media);
  BgmRepeat = in.ConsumeIntegral<int16_t>();
  BgmFile = in.ConsumeRandomLengthString(40);

  while (in.remaining_bytes() > 0) {
    switch (in.ConsumeIntegralInRange(0, 6)) {
      case 0: {
        const std::string command = in.ConsumeRandomLengthString(30);
        const std::string answer = MciQuery(command);
        if (command.empty()) {
          if (answer != "Error:-1") std::abort();
        } else if (media.lastResult != 0 && answer != "Error:" + std::to_string(media.lastResult)) {
          std::abort();
        }
        break;
      }
      case 1: {
        CD_Check();
        // A check that ended on the track or the count query ended because the query failed, and
        // then the polling stops.
        if (CdPolling && (media.lastCommand == "status cdaudio current track" ||
                          media.lastCommand == "status cdaudio number of tracks"))
          std::abort();
        break;
      }
      case 2: MP3_Play(); break;
      case 3: MP3_Replay(); break;
      case 4: MP3_Stop(); break;
      case 5: WAV_Play(); WAV_Stop(); break;
      case 6: CD_Open(); CD_Stop(); break;
    }
  }
  SetMediaLayer(nullptr);
  return 0;
}
