// The system's media layer as the music module sees it: MCI command strings, their error texts,
// PlaySound and the number of wave output devices. The host uses the winmm one (media_winmm.h);
// tests hand the music module a fake that records every command.
#pragma once

#include <cstdint>
#include <string>

namespace Lumenfall_BGM {

class MediaLayer {
 public:
  virtual ~MediaLayer() = default;
  // Sends an MCI command string (ANSI bytes) with a reply buffer of replyLength characters (none
  // when 0) and no callback window. reply (when given) receives the buffer's text up to its first
  // NUL, or the whole buffer when it has none. Returns the MCI result, 0 on success.
  virtual int32_t sendString(const std::string& command, std::string* reply, uint32_t replyLength) = 0;
  // The description of an MCI error in a buffer of `length` characters; false when there is none.
  virtual bool errorString(int32_t code, std::string* text, uint32_t length) = 0;
  // PlaySoundA(name, no module, flags); name null stops the sound playing.
  virtual int32_t playSound(const char* name, uint32_t flags) = 0;
  // waveOutGetNumDevs().
  virtual int32_t waveOutDevices() = 0;
};

// The media layer the music procedures use; the host sets it before any music plays.
void SetMediaLayer(MediaLayer* media);

}  // namespace Lumenfall_BGM
