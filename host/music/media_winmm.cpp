// winmm behind the music module's media layer.
#include "media_winmm.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

namespace Lumenfall_BGM {
namespace {
// The text of a buffer up to its first NUL, or all of it when it has none.
std::string TextOf(const std::vector<char>& buffer) {
  return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}
}  // namespace

int32_t WinmmMedia::sendString(const std::string& command, std::string* reply, uint32_t replyLength) {
  std::vector<char> buffer(replyLength + 1, '\0');
  MCIERROR result = mciSendStringA(command.c_str(), replyLength ? buffer.data() : nullptr,
                                   replyLength, nullptr);
  if (reply) *reply = TextOf(std::vector<char>(buffer.begin(), buffer.begin() + replyLength));
  return static_cast<int32_t>(result);
}

bool WinmmMedia::errorString(int32_t code, std::string* text, uint32_t length) {
  std::vector<char> buffer(length, '\0');
  if (!mciGetErrorStringA(static_cast<MCIERROR>(code), buffer.data(), length)) return false;
  *text = TextOf(buffer);
  return true;
}

int32_t WinmmMedia::playSound(const char* name, uint32_t flags) {
  return PlaySoundA(name, nullptr, flags);
}

int32_t WinmmMedia::waveOutDevices() { return static_cast<int32_t>(waveOutGetNumDevs()); }

}  // namespace Lumenfall_BGM
