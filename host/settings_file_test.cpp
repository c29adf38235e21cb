// The settings file's number rules and load rules, without Windows.
#include "settings_file.h"
#include "music_settings.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/code_page_932.h"

namespace orv {
namespace {

TEST(SettingsNumbers, RoundedDownAndSixteenBitOrNothing) {
  struct Case { const char* text; std::optional<int16_t> value; } cases[] = {
      {"2", 2},        {" 2", 2},     {"2 ", 2},        {"2.9", 2},       {"-5", -5},
      {"-0.5", -1},    {"32767", 32767},                {"-32768", -32768},
      {"32767.9", 32767},             {"32768", std::nullopt},          {"40000", std::nullopt},
      {"-32769", std::nullopt},       {"abc", std::nullopt},            {"", std::nullopt},
      {"2x", std::nullopt},           {".", std::nullopt},              {"1e2", 100},
      {"1e99999", std::nullopt},      {"+3", 3},        {"2 2", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, IniNumber(c.text)) << "text: '" << c.text << "'";
  EXPECT_EQ(2, IniNumber("2,9", ','));  // the locale's decimal separator
  EXPECT_EQ(std::nullopt, IniNumber("2,9", '.'));
  EXPECT_EQ(" 2", IniNumberText(2));
  EXPECT_EQ("-5", IniNumberText(-5));
}

// A settings file as key → value, and the files that exist.
struct LoadSettingsTest : ::testing::Test {
  std::map<std::string, std::string> ini;
  std::map<std::string, bool> files{{R"(C:\Music\song.mp3)", true}, {kSong932, true}};
  // E:\音楽\ソング.mp3 in code page 932: ソ ends in the byte of "\".
  static constexpr const char* kSong932 = "E:\\\x89\xB9\x8A\x79\\\x83\x5C\x83\x93\x83\x4F.mp3";

  void Load(int16_t modeBefore = 0, int16_t repeatBefore = 0) {
    Lumenfall_BGM::BgmMode = modeBefore;
    Lumenfall_BGM::BgmRepeat = repeatBefore;
    Lumenfall_BGM::BgmFile = "stale";
    Lumenfall_BGM::BgmFolder = "stale";
    SettingsSource source;
    source.read = [this](const char* key) { return ini.count(key) ? ini[key] : std::string(); };
    source.pathExists = [this](const std::string& p) { return files.count(p) > 0; };
    source.hostFolder = R"(C:\Saver)";
    source.codePage = CodePage932();
    LoadSettingsFrom(source);
  }
};

TEST_F(LoadSettingsTest, NumbersByTheRulesAndUnreadableOnesKeepTheirValue) {
  struct Case { const char* text; int16_t expected; } cases[] = {
      {"2", 2}, {" 2", 2}, {"2.9", 2}, {"abc", 7}, {"40000", 7}, {"-5", -5}, {"", 0},
  };
  for (const Case& c : cases) {
    ini = {{kKeyBgmMode, c.text}, {kKeyBgmRepeat, c.text}, {kKeyBgmFile, R"(C:\Music\song.mp3)"}};
    Load(7, 7);
    EXPECT_EQ(c.expected, Lumenfall_BGM::BgmMode) << "text: '" << c.text << "'";
    EXPECT_EQ(c.expected, Lumenfall_BGM::BgmRepeat) << "text: '" << c.text << "'";
  }
}

TEST_F(LoadSettingsTest, MissingFileGivesDefaultsAndTheHostFolder) {
  Load();
  EXPECT_EQ(0, Lumenfall_BGM::BgmMode);
  EXPECT_EQ(0, Lumenfall_BGM::BgmRepeat);
  EXPECT_EQ("", Lumenfall_BGM::BgmFile);
  EXPECT_EQ(R"(C:\Saver)", Lumenfall_BGM::BgmFolder);
}

TEST_F(LoadSettingsTest, MusicFileThatCannotBeReadIsClearedAndModeTwoFallsBack) {
  struct Case { const char* mode; const char* file; int16_t mode_after; const char* file_after; const char* folder; } cases[] = {
      {"2", R"(C:\Music\song.mp3)", 2, R"(C:\Music\song.mp3)", R"(C:\Music)"},
      {"2", R"(C:\Music\deleted.mp3)", 0, "", R"(C:\Saver)"},
      {"2", R"(C:\Music)", 0, "", R"(C:\Saver)"},    // a folder is no file
      {"2", R"(C:\Music\)", 0, "", R"(C:\Saver)"},
      {"2", "", 0, "", R"(C:\Saver)"},
      {"1", "", 1, "", R"(C:\Saver)"},                // the CD mode is never changed
      {"1", R"(C:\Music\deleted.mp3)", 1, "", R"(C:\Saver)"},
      {"5", R"(C:\Music\song.mp3)", 5, R"(C:\Music\song.mp3)", R"(C:\Music)"},
      // The chooser opens in the folder that holds the file, not at a lone lead byte.
      {"2", kSong932, 2, kSong932, "E:\\\x89\xB9\x8A\x79"},
  };
  for (const Case& c : cases) {
    ini = {{kKeyBgmMode, c.mode}, {kKeyBgmRepeat, "3"}, {kKeyBgmFile, c.file}};
    Load();
    EXPECT_EQ(c.mode_after, Lumenfall_BGM::BgmMode) << c.mode << " " << c.file;
    EXPECT_EQ(3, Lumenfall_BGM::BgmRepeat) << "the repeat track stays whatever the mode";
    EXPECT_EQ(c.file_after, Lumenfall_BGM::BgmFile) << c.file;
    EXPECT_EQ(c.folder, Lumenfall_BGM::BgmFolder) << c.file;
  }
}

}  // namespace
}  // namespace orv
