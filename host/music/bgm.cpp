// The music module; see bgm.h.
#include "bgm.h"

#include "music_settings.h"
#include "number_text.h"
#include "startup_state.h"

namespace Lumenfall_BGM {

bool CdPolling = false;

namespace {

MediaLayer* g_media = nullptr;
std::string g_lastReply;  // the reply of the last MciQuery or CD_Play

// A media layer that plays nothing, until the host sets the real one.
class SilentMedia : public MediaLayer {
 public:
  int32_t sendString(const std::string&, std::string* reply, uint32_t) override {
    if (reply) reply->clear();
    return 263;
  }
  bool errorString(int32_t, std::string*, uint32_t) override { return false; }
  int32_t playSound(const char*, uint32_t) override { return 0; }
  int32_t waveOutDevices() override { return 0; }
};

MediaLayer& Media() {
  static SilentMedia silent;
  return g_media ? *g_media : silent;
}

int32_t Send(const std::string& command) { return Media().sendString(command, nullptr, 0); }

bool StartsWith(const std::string& text, const char* word) { return text.rfind(word, 0) == 0; }

bool HasError(std::string answer) {
  for (char& c : answer) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return answer.find("ERR") != std::string::npos;
}

}  // namespace

void SetMediaLayer(MediaLayer* media) { g_media = media; }

int32_t MciSendCommand(const std::string& command, std::string& reply) {
  if (command.empty()) {
    reply = "コマンド文字列が指定されていません";
    return -1;
  }
  std::string answer;
  int32_t result = Media().sendString(command, &answer, 512);
  Lumenfall_B::ApiResult = result;
  if (result == 0) {
    reply = answer;
    return 0;
  }
  std::string description;
  reply = Media().errorString(result, &description, 256) ? description : "Error (文字列が取れません)";
  return result;
}

std::string MciQuery(const std::string& command) {
  int32_t result = MciSendCommand(command, g_lastReply);
  Lumenfall_B::ApiResult = result;
  if (result != 0) return "Error:" + std::to_string(result);
  return g_lastReply;
}

void MP3_Play() {
  if (Send("open \"" + BgmFile + "\" type MPEGVideo Alias MP3Play") == 0) Send("play MP3Play");
}

bool MP3_IsPlaying() {
  std::string status;
  Media().sendString("status MP3Play mode", &status, 30);
  return StartsWith(status, "playing");
}

void MP3_Replay() {
  if (MP3_IsPlaying()) return;
  // NOTE: "play ... from 0" alone replays under Wine but leaves the mode "stopped"; stopping first
  // keeps the status true to what plays.
  Send("stop MP3Play");
  Send("play MP3Play from 0");
}

void MP3_Stop() {
  Send("stop MP3Play");
  Send("close MP3Play");
}

void WAV_Play() {
  if (Media().waveOutDevices() <= 0) return;
  constexpr uint32_t kAsyncLoop = 0x0001 | 0x0008;  // SND_ASYNC | SND_LOOP
  Lumenfall_B::ApiResult = Media().playSound(BgmFile.c_str(), kAsyncLoop);
}

void WAV_Stop() { Lumenfall_B::ApiResult = Media().playSound(nullptr, 0); }

void CD_Open() {
  Lumenfall_B::ApiResult = Send("open cdaudio");
  Lumenfall_B::ApiResult = Send("set cdaudio time format tmsf");
}

void CD_Check() {
  CdPolling = true;
  std::string track = MciQuery("status cdaudio current track");
  if (HasError(track)) {
    CdPolling = false;
    return;
  }
  std::string count = MciQuery("status cdaudio number of tracks");
  if (HasError(count)) {
    CdPolling = false;
    return;
  }
  std::string status;
  Lumenfall_B::ApiResult = Media().sendString("status cdaudio mode", &status, 255);
  bool stopped = StartsWith(status, "stopped");
  if (BgmRepeat == 0) {
    if (stopped) CD_Play("cdaudio", "", "");
    return;
  }
  // Both tests are made: a track reply that is no number ends the polling even on a stopped disc.
  std::optional<double> current = orv::ParseNumber(track);
  if (!current) {
    CdPolling = false;
    return;
  }
  if (stopped || *current != BgmRepeat) {
    std::string position = MciQuery("status cdaudio position track " + std::to_string(BgmRepeat));
    CD_Play("cdaudio", position, "");
  }
}

int32_t CD_Play(const std::string& device, const std::string& from, const std::string& to) {
  std::string command = "play " + device;
  if (!from.empty()) command += " from " + from;
  if (!to.empty()) command += " to " + to;
  return MciSendCommand(command, g_lastReply);
}

void CD_Stop() {
  Lumenfall_B::ApiResult = Send("stop cdaudio");
  Lumenfall_B::ApiResult = Send("close cdaudio");
}

}  // namespace Lumenfall_BGM
