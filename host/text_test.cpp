// Paths cut by character in the system's ANSI code page, with code page 932 as the case: many of
// its characters end in the byte 0x5C that is also "\" (ソ 83 5C, 表 95 5C, 能 94 5C, 十 8F 5C,
// 予 97 5C).
#include "text.h"

#include <gtest/gtest.h>

#include "tests/code_page_932.h"

namespace orv {
namespace {

// Code page 932 bytes of the characters used below.
#define SO "\x83\x5C"      // ソ
#define HYO "\x95\x5C"     // 表
#define NO_ "\x94\x5C"     // 能
#define JU "\x8F\x5C"      // 十
#define YO "\x97\x5C"      // 予
#define ONGAKU "\x89\xB9\x8A\x79"  // 音楽
#define NGU "\x83\x93\x83\x4F"     // ング

TEST(Paths, FolderOfCutsAtTheLastSeparatorCharacter) {
  const AnsiCodePage single, cp932 = CodePage932();
  struct Case { const char* path; const char* folder; const AnsiCodePage& cp; } cases[] = {
      {R"(D:\Music\a.mp3)", R"(D:\Music)", single},
      {R"(D:\a.mp3)", "D:", single},
      {"D:a.mp3", "D:", single},
      {"a.mp3", "", single},
      {R"(D:\Music\)", R"(D:\Music)", single},
      {"", "", single},
      {R"(D:\Music\a.mp3)", R"(D:\Music)", cp932},
      // A trail byte 0x5C is no separator: the folder is the one that holds the file.
      {"E:\\" ONGAKU "\\" SO NGU ".mp3", "E:\\" ONGAKU, cp932},
      {"E:\\" HYO "\\a.wav", "E:\\" HYO, cp932},
      {"E:\\" NO_ "\\" JU YO ".mp3", "E:\\" NO_, cp932},
      {"E:\\" SO, "E:", cp932},
      {SO NGU ".mp3", "", cp932},
      {"E:" YO ":" HYO, "E:" YO ":", cp932},
  };
  for (const Case& c : cases) EXPECT_EQ(c.folder, FolderOf(c.path, c.cp)) << "path: " << c.path;
}

TEST(Paths, OnlyABackslashCharacterEndsAPath) {
  const AnsiCodePage cp932 = CodePage932();
  struct Case { const char* path; const char* without; } cases[] = {
      {R"(C:\Music\song.mp3\)", R"(C:\Music\song.mp3)"},
      {R"(C:\Music\song.mp3)", R"(C:\Music\song.mp3)"},
      {"C:\\Music\\" SO, "C:\\Music\\" SO},  // ends in ソ, not in "\"
      {"C:\\Music\\" HYO "\\", "C:\\Music\\" HYO},
      {"\\", ""},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.without, WithoutTrailingBackslash(c.path, cp932)) << "path: " << c.path;
  // The host's folder: its program's path up to the last "\" character.
  EXPECT_EQ("C:\\" SO, ParentOf("C:\\" SO "\\Orvellia.scr", cp932));
  EXPECT_EQ("C:\\" ONGAKU, ParentOf("C:\\" ONGAKU "\\" SO ".scr", cp932));
  EXPECT_EQ("", ParentOf("Orvellia.scr", cp932));
}

TEST(Paths, LastCharactersCountDoubleByteCharactersAsOne) {
  const AnsiCodePage cp932 = CodePage932();
  EXPECT_EQ(".mp3", LastChars("a" SO ".mp3", 4, cp932));
  EXPECT_EQ("\x83WAV", LastChars("a\x83WAV", 3, cp932));  // ジ (83 57), then "AV"
  EXPECT_EQ(SO, LastChars(SO, 3, cp932));
  EXPECT_EQ("", LastChars("", 3, cp932));
  // A lone lead byte at the end is a character of its own.
  EXPECT_EQ("b\x83", LastChars("ab\x83", 2, cp932));
}

}  // namespace
}  // namespace orv
