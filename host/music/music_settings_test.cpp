// The music file's kind by the last three characters of its name, in code page 932.
#include "music_settings.h"

#include <gtest/gtest.h>

#include "tests/code_page_932.h"

namespace orv {
namespace {

TEST(MusicSettings, MusicKindByTheLastThreeCharacters) {
  const AnsiCodePage cp932 = CodePage932();
  struct Case { const char* file; MusicKind kind; } cases[] = {
      {R"(D:\Music\song.Mp3)", MusicKind::Mp3},
      {"songmp3", MusicKind::Mp3},  // no dot needed
      {R"(D:\a.wav)", MusicKind::Wav},
      {R"(D:\Music\song.mid)", MusicKind::None},
      {"3", MusicKind::None},
      {"", MusicKind::None},
      {"D:\\\x83\x5C\x83\x93\x83\x4F.mp3", MusicKind::Mp3},  // ソング.mp3
      // A name that ends in ジ (83 57) or ギ (83 4D) and then "AV" or "P3" is no music file: the
      // last three characters are ジAV and ギP3, not WAV and MP3.
      {"D:\\\x83\x57" "AV", MusicKind::None},
      {"D:\\\x83\x4DP3", MusicKind::None},
      {"D:\\\x83\x57" "wav", MusicKind::Wav},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.kind, MusicKindOf(c.file, cp932)) << "file: " << c.file;
}

}  // namespace
}  // namespace orv
