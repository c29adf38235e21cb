// The settings file and paths against the real profile API and file system (under Wine: code page
// 932, as on a Japanese system).
#include "settings_profile.h"

#include <windows.h>

#include "startup_state.h"
#include "tests/code_page_932.h"
#include "text_system.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

struct TempFolder : ::testing::Test {
  std::string dir;
  void SetUp() override {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    dir = std::string(base) + "orv_settings_profile_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
  }
  void TearDown() override {
    for (const char* f : {"\\Orvellia.ini", "\\song.mp3", "\\\x83\x5C"}) DeleteFileA((dir + f).c_str());
    RemoveDirectoryA((dir + "\\sub").c_str());
    RemoveDirectoryA(dir.c_str());
  }
  std::string Bytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(TempFolder, WriteIniWritesCodePage932BytesThatReadBack) {
  using namespace Lumenfall_B;
  std::string ini = dir + "\\Orvellia.ini";
  std::string song = "D:\\Music\\\x8B\xC8.mp3";  // a path of the system: "曲" in code page 932
  EXPECT_TRUE(WriteIni(orv::kIniSection, orv::kKeyBgmMode, orv::IniNumberText(2), ini));
  EXPECT_NE(0, ApiResult);
  // A file that cannot be written (its folder is missing) says so, and nothing is created.
  EXPECT_FALSE(WriteIni(orv::kIniSection, orv::kKeyBgmMode, " 2", dir + "\\sub\\Orvellia.ini"));
  EXPECT_EQ(0, ApiResult);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((dir + "\\sub").c_str()));
  WriteIni(orv::kIniSection, orv::kKeyBgmRepeat, orv::IniNumberText(0), ini);
  WriteIni(orv::kIniSection, orv::kKeyBgmFile, song, ini);
  // NOTE: Wine's profile API drops the blank that leads a value (" 2" is stored as 2); the key
  // names are the code page 932 bytes of a file written on a Japanese system.
  EXPECT_EQ(
      "[Section]\r\n"
      "BGM\x8B\xE6\x95\xAA=2\r\n"
      "BGM\xD8\xCB\xDF\xB0\xC4=0\r\n"
      "BGM\xCC\xA7\xB2\xD9=D:\\Music\\\x8B\xC8.mp3\r\n",
      Bytes(ini));
  EXPECT_EQ("2", ReadIni(orv::kIniSection, orv::kKeyBgmMode, ini));
  EXPECT_EQ("0", ReadIni(orv::kIniSection, orv::kKeyBgmRepeat, ini));
  EXPECT_EQ(song, ReadIni(orv::kIniSection, orv::kKeyBgmFile, ini));
  EXPECT_EQ("", ReadIni(orv::kIniSection, "BGM", ini));
  EXPECT_EQ("", ReadIni("Other", orv::kKeyBgmMode, ini));
  EXPECT_EQ("", ReadIni(orv::kIniSection, orv::kKeyBgmMode, dir + "\\missing.ini"));
}

TEST_F(TempFolder, LongValuesComeBackCutTo255Bytes) {
  std::string ini = dir + "\\Orvellia.ini";
  std::string value(300, 'x');
  value[254] = 'y';
  Lumenfall_B::WriteIni(orv::kIniSection, orv::kKeyBgmFile, value, ini);
  EXPECT_EQ(value.substr(0, 255), Lumenfall_B::ReadIni(orv::kIniSection, orv::kKeyBgmFile, ini));
}

TEST_F(TempFolder, PathExistsOnlyForReadableFiles) {
  std::string file = dir + "\\song.mp3";
  std::ofstream(file) << "x";
  CreateDirectoryA((dir + "\\sub").c_str(), nullptr);
  EXPECT_TRUE(Lumenfall_B::PathExists(file));
  EXPECT_TRUE(Lumenfall_B::PathExists(file + "\\"));  // a trailing backslash is dropped
  EXPECT_FALSE(Lumenfall_B::PathExists(dir + "\\sub"));
  EXPECT_FALSE(Lumenfall_B::PathExists(dir + "\\sub\\"));
  EXPECT_FALSE(Lumenfall_B::PathExists(dir + "\\missing.mp3"));
  EXPECT_FALSE(Lumenfall_B::PathExists(""));
}

// The system's code page is asked once and cuts paths by its characters: under Wine here it is
// 932, where ソ is 83 5C.
TEST(SystemCodePage, IsTheAnsiCodePageOfTheSystem) {
  ASSERT_EQ(932u, GetACP()) << "the Windows tests run with LANG=ja_JP.UTF-8";
  const orv::AnsiCodePage expected = CodePage932();
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(expected.IsLeadByte(static_cast<unsigned char>(b)),
              Lumenfall_B::SystemCodePage().IsLeadByte(static_cast<unsigned char>(b)))
        << "byte " << b;
}

TEST_F(TempFolder, PathExistsKeepsACharacterThatEndsInTheBackslashByte) {
  std::string file = dir + "\\\x83\x5C";  // a file named ソ
  std::ofstream(file) << "x";
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
  EXPECT_TRUE(Lumenfall_B::PathExists(file));
  EXPECT_TRUE(Lumenfall_B::PathExists(file + "\\"));
}

TEST(TextConversion, SourceTextsBecomeCodePage932) {
  EXPECT_EQ("BGM\x8B\xE6\x95\xAA", Cp932FromUtf8(orv::kKeyBgmMode));
  EXPECT_EQ(L"BGM\x533A\x5206", WideFromCp932("BGM\x8B\xE6\x95\xAA"));
  EXPECT_EQ(L"BGM\xFF98\xFF8B\xFF9F\xFF70\xFF84", WideFromUtf8(orv::kKeyBgmRepeat));
}

TEST(HostFolder, IsTheFolderOfTheRunningProgram) {
  std::string folder = Lumenfall_B::HostFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE('\\', folder.back());
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  EXPECT_EQ(0u, std::string(exe).find(folder + "\\"));
}

}  // namespace
