// The music settings; see music_settings.h.
#include "music_settings.h"

namespace Lumenfall_BGM {
int16_t BgmMode = 0;
int16_t BgmRepeat = 0;
std::string BgmFile;
std::string BgmFolder;
}  // namespace Lumenfall_BGM

namespace orv {

MusicKind MusicKindOf(const std::string& file, const AnsiCodePage& codePage) {
  std::string end = LastChars(file, 3, codePage);
  for (char& c : end) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  if (end == "WAV") return MusicKind::Wav;
  if (end == "MP3") return MusicKind::Mp3;
  return MusicKind::None;
}

}  // namespace orv
