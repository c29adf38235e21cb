// The music module's MCI wrappers against the system's real MCI.
#include "bgm.h"
#include "media_winmm.h"

#include <gtest/gtest.h>

namespace Lumenfall_BGM {
namespace {

TEST(WinmmMedia, ErrorsCarryTheSystemsDescriptionAndCode) {
  WinmmMedia media;
  SetMediaLayer(&media);
  std::string reply;
  EXPECT_EQ(263, MciSendCommand("close NotOpen", reply));
  // The system's own description (in the system's language), not the module's fallback text.
  EXPECT_FALSE(reply.empty());
  EXPECT_NE("Error (文字列が取れません)", reply);
  EXPECT_EQ("Error:263", MciQuery("close NotOpen"));
  EXPECT_EQ(-1, MciSendCommand("", reply));
  // Without a disc drive the CD check gives up at once.
  CD_Open();
  CD_Check();
  EXPECT_FALSE(CdPolling);
  SetMediaLayer(nullptr);
}

}  // namespace
}  // namespace Lumenfall_BGM
