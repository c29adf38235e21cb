// Command line, settings numbers, settings load rules and the renderer watch, without Windows.
#include "host_logic.h"

#include <gtest/gtest.h>

#include <map>

namespace orv {
namespace {

TEST(CommandLine, ArgumentsFollowAQuotedOrUnquotedProgramName) {
  EXPECT_EQ("/s", ArgumentsOf(R"("C:\Program Files\Orvellia\Orvellia.scr" /s)"));
  EXPECT_EQ("/p 1234", ArgumentsOf(R"("C:\a b\x.scr"   /p 1234)"));
  EXPECT_EQ("/c:99", ArgumentsOf(R"(C:\Orv\Orvellia.scr /c:99)"));
  EXPECT_EQ("", ArgumentsOf(R"(C:\Orv\Orvellia.scr)"));
  EXPECT_EQ("", ArgumentsOf(R"("C:\Orv\Orvellia.scr")"));
  EXPECT_EQ("", ArgumentsOf(R"("unterminated /s)"));
  EXPECT_EQ("/s", ArgumentsOf(R"("x"/s)"));  // as Windows reads it: the name ends at the quote
  EXPECT_EQ("", ArgumentsOf(""));
}

TEST(CommandLine, ModeComesFromTheSecondCharacter) {
  struct Case { const char* args; Mode mode; } cases[] = {
      {"/s", Mode::Saver},         {"/S", Mode::Saver},
      {"-s", Mode::Saver},         {"xs", Mode::Saver},
      {"s", Mode::End},            {"", Mode::SaverCursorVisible},
      {"/c", Mode::Settings},      {"/c:1234", Mode::Settings},
      {"/a", Mode::End},           {"/p 1234", Mode::Preview},
      {"/p:1234", Mode::Preview},  {"\x01\xff garbage", Mode::End},
      {"és", Mode::Saver},         {"/é", Mode::End},  // characters, not bytes
      {" ", Mode::End},
  };
  for (const Case& c : cases) EXPECT_EQ(c.mode, ModeOf(c.args)) << "arguments: " << c.args;
}

TEST(CommandLine, PreviewHandleFromTheFourthCharacter) {
  struct Case { const char* args; std::optional<int32_t> handle; } cases[] = {
      {"/p 1234", 1234},        {"/p:1234", 1234},        {"/p 12 34", 1234},
      {"/p \t1\n2", 12},        {"/p 1234abc", 1234},     {"/p", 0},
      {"/p garbage", 0},        {"/p -42", -42},          {"/p 2.5", 2},
      {"/p 3.5", 4},            {"/p 1e3", 1000},         {"/p 2147483647", 2147483647},
      {"/p 99999999999", std::nullopt},                   {"/p 1e999", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(c.handle, PreviewHandleOf(c.args)) << "arguments: " << c.args;
}

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

TEST(SettingsPaths, FolderOf) {
  EXPECT_EQ(R"(D:\Music)", FolderOf(R"(D:\Music\a.mp3)"));
  EXPECT_EQ("D:", FolderOf(R"(D:\a.mp3)"));
  EXPECT_EQ("D:", FolderOf("D:a.mp3"));
  EXPECT_EQ("", FolderOf("a.mp3"));
  EXPECT_EQ(R"(D:\Music)", FolderOf(R"(D:\Music\)"));
  EXPECT_EQ("", FolderOf(""));
}

// A settings file as key → value, and the files that exist.
struct LoadSettingsTest : ::testing::Test {
  std::map<std::string, std::string> ini;
  std::map<std::string, bool> files{{R"(C:\Music\song.mp3)", true}};

  void Load(int16_t modeBefore = 0, int16_t repeatBefore = 0) {
    Lumenfall_BGM::BgmMode = modeBefore;
    Lumenfall_BGM::BgmRepeat = repeatBefore;
    Lumenfall_BGM::BgmFile = "stale";
    Lumenfall_BGM::BgmFolder = "stale";
    SettingsSource source;
    source.read = [this](const char* key) { return ini.count(key) ? ini[key] : std::string(); };
    source.pathExists = [this](const std::string& p) { return files.count(p) > 0; };
    source.hostFolder = R"(C:\Saver)";
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

TEST(RunningSaver, MusicKindByTheLastThreeLetters) {
  EXPECT_EQ(MusicKind::Mp3, MusicKindOf(R"(D:\Music\song.Mp3)"));
  EXPECT_EQ(MusicKind::Mp3, MusicKindOf("songmp3"));
  EXPECT_EQ(MusicKind::Wav, MusicKindOf(R"(D:\a.wav)"));
  EXPECT_EQ(MusicKind::None, MusicKindOf(R"(D:\Music\song.mid)"));
  EXPECT_EQ(MusicKind::None, MusicKindOf("3"));
}

TEST(RunningSaver, WatchWaitsForAStartingRenderer) {
  using P = RendererProcess;
  struct Case { bool window, seen; P process; bool ends; } cases[] = {
      {false, false, P::Running, false},  // still starting: keep waiting
      {false, true, P::Running, true},    // its window has gone
      {false, false, P::Exited, true},    // ended without a window
      {false, false, P::NotStarted, true},
      {true, false, P::NotStarted, false},  // any renderer window keeps the host running
      {true, true, P::Exited, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.ends, WatchEndsSaver(c.window, c.seen, c.process))
        << c.window << c.seen << static_cast<int>(c.process);
}

}  // namespace
}  // namespace orv
