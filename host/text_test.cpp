// Paths as the system hands them to the host.
#include "text.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(SettingsPaths, FolderOf) {
  EXPECT_EQ(R"(D:\Music)", FolderOf(R"(D:\Music\a.mp3)"));
  EXPECT_EQ("D:", FolderOf(R"(D:\a.mp3)"));
  EXPECT_EQ("D:", FolderOf("D:a.mp3"));
  EXPECT_EQ("", FolderOf("a.mp3"));
  EXPECT_EQ(R"(D:\Music)", FolderOf(R"(D:\Music\)"));
  EXPECT_EQ("", FolderOf(""));
}

}  // namespace
}  // namespace orv
