// The music settings, module state of the music module: filled by LoadSettings, changed by the
// settings dialog, read by the running saver and the music procedures. Portable.
#pragma once

#include <cstdint>
#include <string>

#include "text.h"

namespace Lumenfall_BGM {
extern int16_t BgmMode;    // 0 no music, 1 audio CD, 2 music file; other values play nothing
extern int16_t BgmRepeat;  // CD track to repeat, 0 none
extern std::string BgmFile;    // full path of the music file (ANSI bytes), empty when none
extern std::string BgmFolder;  // where the file chooser opens (ANSI bytes)
}  // namespace Lumenfall_BGM

namespace orv {

enum class MusicKind { None, Wav, Mp3 };
// The kind of a music file by the last three characters of its name, upper-cased ("WAV" or
// "MP3"; no dot needed). Characters of the code page: a double-byte character whose second byte
// is "W" or "M" is not a letter.
MusicKind MusicKindOf(const std::string& file, const AnsiCodePage& codePage);

}  // namespace orv
