// The music procedures against a media layer that records every command and answers from a script
// or from a simulated CD drive.
#include "bgm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "music_settings.h"
#include "startup_state.h"

namespace Lumenfall_BGM {
namespace {

using ::testing::ElementsAre;

struct Answer {
  int32_t result = 0;
  std::string reply;
};

// Records every call; answers MCI commands through `answer` (success with no reply by default).
class FakeMedia : public MediaLayer {
 public:
  std::vector<std::string> sent;         // every MCI command, in order
  std::vector<uint32_t> replyLengths;    // the reply buffer length given with each
  std::vector<std::string> sounds;       // PlaySound calls: the name, or "(stop)"
  std::function<Answer(const std::string&)> answer = [](const std::string&) { return Answer{}; };
  std::map<int32_t, std::string> errorTexts{{263, "The specified device is not open."}};
  int32_t devices = 1;

  int32_t sendString(const std::string& command, std::string* reply, uint32_t length) override {
    sent.push_back(command);
    replyLengths.push_back(length);
    Answer a = answer(command);
    if (reply) *reply = a.reply.substr(0, length);  // a full buffer has no NUL: all of it
    return a.result;
  }
  bool errorString(int32_t code, std::string* text, uint32_t length) override {
    auto it = errorTexts.find(code);
    if (it == errorTexts.end()) return false;
    *text = it->second.substr(0, length);
    return true;
  }
  int32_t playSound(const char* name, uint32_t flags) override {
    sounds.push_back(name ? std::string(name) + " flags " + std::to_string(flags) : "(stop)");
    return 1;
  }
  int32_t waveOutDevices() override { return devices; }
};

struct MusicTest : ::testing::Test {
  FakeMedia media;
  void SetUp() override {
    SetMediaLayer(&media);
    BgmFile = R"(C:\My Music\曲.mp3)";
    BgmRepeat = 0;
    Lumenfall_B::ApiResult = 12345;
  }
  void TearDown() override { SetMediaLayer(nullptr); }
};

TEST_F(MusicTest, MciSendCommandRepliesAndErrors) {
  std::string reply = "old";
  EXPECT_EQ(-1, MciSendCommand("", reply));
  EXPECT_EQ("コマンド文字列が指定されていません", reply);
  EXPECT_TRUE(media.sent.empty()) << "an empty command is never sent";
  EXPECT_EQ(12345, Lumenfall_B::ApiResult);

  media.answer = [](const std::string& c) {
    if (c == "status cdaudio mode") return Answer{0, "playing"};
    if (c == "close NotOpen") return Answer{263, ""};
    return Answer{261, ""};
  };
  EXPECT_EQ(0, MciSendCommand("status cdaudio mode", reply));
  EXPECT_EQ("playing", reply);
  EXPECT_EQ(263, MciSendCommand("close NotOpen", reply));
  EXPECT_EQ("The specified device is not open.", reply);
  EXPECT_EQ(263, Lumenfall_B::ApiResult);
  EXPECT_EQ(261, MciSendCommand("bogus", reply));
  EXPECT_EQ("Error (文字列が取れません)", reply);
  EXPECT_THAT(media.replyLengths, ElementsAre(512u, 512u, 512u));

  // A reply that fills the whole buffer comes back whole.
  media.answer = [](const std::string&) { return Answer{0, std::string(600, 'r')}; };
  EXPECT_EQ(0, MciSendCommand("status x", reply));
  EXPECT_EQ(std::string(512, 'r'), reply);
}

TEST_F(MusicTest, MciQueryGivesTheReplyOrErrorWithTheCode) {
  media.answer = [](const std::string& c) {
    return c == "close NotOpen" ? Answer{263, ""} : Answer{0, "3"};
  };
  EXPECT_EQ("3", MciQuery("status cdaudio current track"));
  EXPECT_EQ("Error:263", MciQuery("close NotOpen"));
  EXPECT_EQ(263, Lumenfall_B::ApiResult);
  EXPECT_EQ("Error:-1", MciQuery(""));
}

TEST_F(MusicTest, Mp3PlaysReplaysAfterItsEndAndStops) {
  std::string mode = "playing";
  media.answer = [&mode](const std::string& c) {
    return c == "status MP3Play mode" ? Answer{0, mode} : Answer{};
  };
  MP3_Play();
  MP3_Replay();  // still playing: nothing but the status query
  mode = "stopped";
  MP3_Replay();
  mode = "paused";
  EXPECT_FALSE(MP3_IsPlaying());
  mode = "playing\x01";
  EXPECT_TRUE(MP3_IsPlaying());
  MP3_Stop();
  EXPECT_THAT(media.sent, ElementsAre("open \"C:\\My Music\\曲.mp3\" type MPEGVideo Alias MP3Play",
                                      "play MP3Play", "status MP3Play mode", "status MP3Play mode",
                                      "stop MP3Play", "play MP3Play from 0", "status MP3Play mode",
                                      "status MP3Play mode", "stop MP3Play", "close MP3Play"));
  EXPECT_EQ(30u, media.replyLengths[2]);
  EXPECT_EQ(0u, media.replyLengths[0]);
}

TEST_F(MusicTest, Mp3ThatCannotOpenIsNotPlayed) {
  media.answer = [](const std::string& c) {
    return c.rfind("open", 0) == 0 ? Answer{277, ""} : Answer{281, ""};
  };
  MP3_Play();
  MP3_Replay();
  EXPECT_THAT(media.sent, ElementsAre(::testing::StartsWith("open "), "status MP3Play mode",
                                      "stop MP3Play", "play MP3Play from 0"));
}

TEST_F(MusicTest, WavLoopsByPlaySoundOnlyWithAWaveDevice) {
  BgmFile = R"(C:\Music\loop.wav)";
  WAV_Play();
  WAV_Stop();
  EXPECT_THAT(media.sounds, ElementsAre(R"(C:\Music\loop.wav flags 9)", "(stop)"));
  EXPECT_EQ(1, Lumenfall_B::ApiResult);
  media.sounds.clear();
  media.devices = 0;
  WAV_Play();
  WAV_Stop();
  EXPECT_THAT(media.sounds, ElementsAre("(stop)"));
  EXPECT_TRUE(media.sent.empty());
}

TEST_F(MusicTest, CdOpenPlayAndStopCommands) {
  CD_Open();
  EXPECT_EQ(0, CD_Play("cdaudio", "", ""));
  CD_Play("cdaudio", "03:00:00:00", "");
  CD_Play("cdaudio", "", "05");
  CD_Play("cdaudio", "01", "02");
  CD_Stop();
  EXPECT_THAT(media.sent, ElementsAre("open cdaudio", "set cdaudio time format tmsf", "play cdaudio",
                                      "play cdaudio from 03:00:00:00", "play cdaudio to 05",
                                      "play cdaudio from 01 to 02", "stop cdaudio", "close cdaudio"));
}

// A CD drive as MCI shows it: a disc (or none), the current track text and the play mode.
struct SimulatedCd {
  bool disc = true;
  std::string track = "1";
  std::string mode = "playing";
  Answer operator()(const std::string& c) const {
    if (!disc) return {266, ""};
    if (c == "status cdaudio current track") return {0, track};
    if (c == "status cdaudio number of tracks") return {0, "12"};
    if (c == "status cdaudio mode") return {0, mode};
    if (c.rfind("status cdaudio position track ", 0) == 0) return {0, "0" + c.substr(30) + ":00:00:00"};
    return {};
  }
};

TEST_F(MusicTest, CdCheckScenarios) {
  const std::vector<std::string> queries = {"status cdaudio current track",
                                            "status cdaudio number of tracks",
                                            "status cdaudio mode"};
  auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> all = queries;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  struct Case {
    const char* what;
    int16_t repeat;
    SimulatedCd cd;
    std::vector<std::string> sent;
    bool polling;
  } cases[] = {
      {"repeat 0, stopped", 0, {true, "5", "stopped"}, with({"play cdaudio"}), true},
      {"repeat 0, playing", 0, {true, "5", "playing"}, with({}), true},
      {"repeat 0, a non-number track", 0, {true, "x", "playing"}, with({}), true},
      {"repeat 3 while track 3 plays", 3, {true, "3", "playing"}, with({}), true},
      {"repeat 3, track 4 reached", 3, {true, "4", "playing"},
       with({"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}), true},
      {"repeat 3, stopped on track 3", 3, {true, "3", "stopped"},
       with({"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}), true},
      {"repeat 3, paused on track 3", 3, {true, "3", "paused"}, with({}), true},
      {"repeat 0, paused", 0, {true, "3", "paused"}, with({}), true},
      {"mode read by its first seven letters", 0, {true, "3", "stoppedX"}, with({"play cdaudio"}), true},
      {"no disc", 3, {false, "", ""}, {"status cdaudio current track"}, false},
      {"repeat 3, a non-number track", 3, {true, "x", "stopped"}, with({}), false},
  };
  for (const Case& c : cases) {
    media.sent.clear();
    BgmRepeat = c.repeat;
    media.answer = c.cd;
    CdPolling = !c.polling;
    CD_Check();
    EXPECT_EQ(c.sent, media.sent) << c.what;
    EXPECT_EQ(c.polling, CdPolling) << c.what;
  }
}

TEST_F(MusicTest, CdCheckStopsPollingWhenTheTrackCountFails) {
  media.answer = [](const std::string& c) {
    return c == "status cdaudio current track" ? Answer{0, "1"} : Answer{266, ""};
  };
  CD_Check();
  EXPECT_FALSE(CdPolling);
  EXPECT_EQ(2u, media.sent.size());
}

}  // namespace
}  // namespace Lumenfall_BGM
