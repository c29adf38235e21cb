// The media layer of the system: winmm's MCI command strings, PlaySoundA and the wave devices.
#pragma once

#include "media.h"

namespace Lumenfall_BGM {

class WinmmMedia : public MediaLayer {
 public:
  int32_t sendString(const std::string& command, std::string* reply, uint32_t replyLength) override;
  bool errorString(int32_t code, std::string* text, uint32_t length) override;
  int32_t playSound(const char* name, uint32_t flags) override;
  int32_t waveOutDevices() override;
};

}  // namespace Lumenfall_BGM
