// The music file's kind by its name.
#include "music_settings.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(MusicSettings, MusicKindByTheLastThreeLetters) {
  EXPECT_EQ(MusicKind::Mp3, MusicKindOf(R"(D:\Music\song.Mp3)"));
  EXPECT_EQ(MusicKind::Mp3, MusicKindOf("songmp3"));
  EXPECT_EQ(MusicKind::Wav, MusicKindOf(R"(D:\a.wav)"));
  EXPECT_EQ(MusicKind::None, MusicKindOf(R"(D:\Music\song.mid)"));
  EXPECT_EQ(MusicKind::None, MusicKindOf("3"));
}

}  // namespace
}  // namespace orv
