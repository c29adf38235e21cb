// The running saver against a stand-in system and media layer that write every step into one
// log: which music starts and stops, which timers run, when the watch closes the window, and that
// the music is stopped and the cursor shown again before the host ends.
#include "running_saver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bgm.h"
#include "command_line.h"
#include "media.h"
#include "music_settings.h"
#include "tests/code_page_932.h"

namespace orv {
namespace {

using Log = std::vector<std::string>;

class LoggingMedia : public Lumenfall_BGM::MediaLayer {
 public:
  explicit LoggingMedia(Log& log) : log_(log) {}
  int32_t sendString(const std::string& command, std::string* reply, uint32_t) override {
    log_.push_back("mci " + command);
    if (reply) reply->clear();
    return 0;
  }
  bool errorString(int32_t, std::string*, uint32_t) override { return false; }
  int32_t playSound(const char* name, uint32_t) override {
    log_.push_back(name ? std::string("sound ") + name : "sound stop");
    return 1;
  }
  int32_t waveOutDevices() override { return 1; }

 private:
  Log& log_;
};

struct FakeSaver : SaverSystem {
  Log log;
  bool rendererWindow = false;
  RendererProcess process = RendererProcess::Running;
  RunningSaver* saver = nullptr;

  void StartRenderer() override { log.push_back("start renderer"); }
  void SetTimer(SaverTimer timer, unsigned ms, bool on) override {
    log.push_back("timer" + std::to_string(static_cast<int>(timer)) + " " + std::to_string(ms) +
                  (on ? " on" : " off"));
  }
  bool RendererWindowExists() override { return rendererWindow; }
  RendererProcess RendererState() override { return process; }
  void Close() override {
    log.push_back("close");
    saver->Form_QueryUnload();  // as the window's close does
  }
  int32_t ShowCursor() override {
    log.push_back("show cursor");
    return 0;
  }
  void EndHost() override { log.push_back("end"); }
};

struct RunningSaverTest : ::testing::Test {
  FakeSaver system;
  LoggingMedia media{system.log};
  AnsiCodePage cp932 = CodePage932();
  RunningSaver saver{system, cp932};

  void SetUp() override {
    system.saver = &saver;
    Lumenfall_BGM::SetMediaLayer(&media);
    Lumenfall_BGM::BgmRepeat = 0;
    Lumenfall_B::CommandArguments = "/s";
  }
  void TearDown() override { Lumenfall_BGM::SetMediaLayer(nullptr); }

  // Runs the saver from its creation until the renderer's window has come and gone: the watch
  // ticks with the window there, then without it while the renderer's process still lives.
  Log Run(int16_t mode, const std::string& file) {
    Lumenfall_BGM::BgmMode = mode;
    Lumenfall_BGM::BgmFile = file;
    saver.Create();
    system.rendererWindow = true;
    saver.Timer3_Timer();
    system.rendererWindow = false;
    saver.Timer3_Timer();
    return system.log;
  }
};

TEST_F(RunningSaverTest, Mp3PlaysAndIsStoppedBeforeTheHostEnds) {
  EXPECT_EQ((Log{"timer3 500 on", "start renderer",
                 R"(mci open "D:\Music\song.Mp3" type MPEGVideo Alias MP3Play)", "mci play MP3Play",
                 "timer1 1000 on",
                 // the renderer's window has gone, its process lives on: the watch ends the saver
                 "timer3 500 off", "close", "timer1 1000 off", "mci stop MP3Play",
                 "mci close MP3Play", "show cursor", "end"}),
            Run(2, R"(D:\Music\song.Mp3)"));
}

TEST_F(RunningSaverTest, WavLoopsWithoutATimerAndIsStopped) {
  EXPECT_EQ((Log{"timer3 500 on", "start renderer", R"(sound D:\a.wav)", "timer3 500 off",
                 "close", "sound stop", "show cursor", "end"}),
            Run(2, R"(D:\a.wav)"));
}

TEST_F(RunningSaverTest, CdIsPolledAndClosedAtTheEnd) {
  EXPECT_EQ((Log{"timer3 500 on", "start renderer", "mci open cdaudio",
                 "mci set cdaudio time format tmsf", "timer2 200 on", "timer3 500 off", "close",
                 "timer2 200 off", "mci stop cdaudio", "mci close cdaudio", "show cursor", "end"}),
            Run(1, ""));
}

TEST_F(RunningSaverTest, NoMusicForOtherEndingsOrModes) {
  for (auto [mode, file] : {std::pair<int16_t, const char*>{2, R"(D:\Music\song.mid)"},
                            {2, "D:\\\x83\x57" "AV"},  // ends in ジAV
                            {0, R"(D:\a.wav)"},
                            {5, R"(D:\a.mp3)"}}) {
    system.log.clear();
    EXPECT_EQ((Log{"timer3 500 on", "start renderer", "timer3 500 off", "close", "show cursor",
                   "end"}),
              Run(mode, file))
        << mode << " " << file;
  }
}

// The cursor is shown again only in the mode in which Main hid it.
TEST_F(RunningSaverTest, CursorShownAgainOnlyAfterSlashS) {
  for (auto [args, shown] : {std::pair{"/s", true}, {"-S", true}, {"", false}}) {
    system.log.clear();
    Lumenfall_B::CommandArguments = args;
    Log log = Run(0, "");
    EXPECT_EQ(shown ? 1 : 0, std::count(log.begin(), log.end(), "show cursor")) << "'" << args << "'";
    EXPECT_EQ("end", log.back());
  }
}

TEST_F(RunningSaverTest, ARendererStillStartingIsWaitedFor) {
  Lumenfall_BGM::BgmMode = 0;
  saver.Create();
  for (int tick = 0; tick < 5; ++tick) saver.Timer3_Timer();  // no window yet, process running
  EXPECT_TRUE(saver.Enabled(SaverTimer::Timer3));
  EXPECT_EQ("start renderer", system.log.back());
  system.process = RendererProcess::Exited;  // it ended without a window
  saver.RendererEnded();
  EXPECT_EQ("end", system.log.back());
}

TEST_F(RunningSaverTest, CdGivenUpStopsPollingAndIsNotStoppedAtTheEnd) {
  Lumenfall_BGM::BgmMode = 1;
  saver.Create();
  // With a track to repeat, an empty reply to the track query is no number: CD_Check gives up.
  Lumenfall_BGM::BgmRepeat = 3;
  saver.Timer2_Timer();
  EXPECT_FALSE(saver.Enabled(SaverTimer::Timer2));
  system.log.clear();
  saver.Form_QueryUnload();
  EXPECT_EQ((Log{"show cursor", "end"}), system.log);
}

}  // namespace
}  // namespace orv
