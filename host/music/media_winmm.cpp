// winmm behind the music module's media layer. winmm is loaded when the first music plays, not
// at the host's start: under Wine it brings ole32, combase, rpcrt4 and msacm32 with it, and a
// saver without music, the dialog and the preview never use it.
#include "media_winmm.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "system_library.h"

namespace Lumenfall_BGM {
namespace {

template <class Function>
Function* Winmm(const char* name) {
  return orv::SystemFunction<Function>("winmm.dll", name);
}

// The text of a buffer up to its first NUL, or all of it when it has none.
std::string TextOf(const std::vector<char>& buffer) {
  return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}
}  // namespace

int32_t WinmmMedia::sendString(const std::string& command, std::string* reply, uint32_t replyLength) {
  static auto* send = Winmm<decltype(mciSendStringA)>("mciSendStringA");
  std::vector<char> buffer(replyLength + 1, '\0');
  MCIERROR result = send ? send(command.c_str(), replyLength ? buffer.data() : nullptr, replyLength, nullptr)
                         : MCIERR_CANNOT_LOAD_DRIVER;
  if (reply) *reply = TextOf(std::vector<char>(buffer.begin(), buffer.begin() + replyLength));
  return static_cast<int32_t>(result);
}

bool WinmmMedia::errorString(int32_t code, std::string* text, uint32_t length) {
  static auto* describe = Winmm<decltype(mciGetErrorStringA)>("mciGetErrorStringA");
  std::vector<char> buffer(length, '\0');
  if (!describe || !describe(static_cast<MCIERROR>(code), buffer.data(), length)) return false;
  *text = TextOf(buffer);
  return true;
}

int32_t WinmmMedia::playSound(const char* name, uint32_t flags) {
  static auto* play = Winmm<decltype(PlaySoundA)>("PlaySoundA");
  return play ? play(name, nullptr, flags) : FALSE;
}

int32_t WinmmMedia::waveOutDevices() {
  static auto* count = Winmm<decltype(waveOutGetNumDevs)>("waveOutGetNumDevs");
  return count ? static_cast<int32_t>(count()) : 0;
}

}  // namespace Lumenfall_BGM
