// Portable logic of the screen-saver host; see host_logic.h.
#include "host_logic.h"

#include <charconv>
#include <cmath>

namespace Lumenfall_BGM {
int16_t BgmMode = 0;
int16_t BgmRepeat = 0;
std::string BgmFile;
std::string BgmFolder;
}  // namespace Lumenfall_BGM

namespace Lumenfall_B {
int32_t ApiResult = 0;
std::optional<int32_t> CursorCount;
int16_t ZoomX = 0, ZoomY = 0;
}  // namespace Lumenfall_B

namespace orv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Byte offset of the n-th (0-based) UTF-8 character, or the text's size when it is shorter.
size_t OffsetOfChar(const std::string& text, size_t n) {
  size_t i = 0;
  for (size_t k = 0; k < n && i < text.size(); ++k) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

// Reads the longest number at the start of text: sign, digits, decimal separator and digits,
// exponent. Returns the number of bytes used (0 when there is no digit) and the value.
size_t ReadNumber(const std::string& text, char decimalSeparator, double* value) {
  std::string plain;  // the number with '.' as separator, for from_chars
  size_t i = 0, digits = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) plain += text[i];
  if (i < text.size() && text[i] == decimalSeparator) {
    plain += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) plain += text[i];
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    size_t expDigits = 0;
    for (; j < text.size() && IsDigit(text[j]); ++j, ++expDigits) exponent += text[j];
    if (expDigits > 0) {
      plain += exponent;
      i = j;
    }
  }
  double v = 0;
  auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
  if (ec == std::errc::result_out_of_range) {
    v = plain[0] == '-' ? -HUGE_VAL : HUGE_VAL;  // too large: beyond every range checked here
    if (plain.find("e-") != std::string::npos) v = 0;  // too small: rounds to zero
  }
  (void)end;
  *value = v;
  return i;
}

}  // namespace

std::string ArgumentsOf(const std::string& commandLine) {
  size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    i = commandLine.find('"', 1);
    i = i == std::string::npos ? commandLine.size() : i + 1;
  } else {
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  }
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return commandLine.substr(i);
}

char ModeLetterOf(const std::string& arguments) {
  size_t at = OffsetOfChar(arguments, 1);
  if (at >= arguments.size()) return '\0';
  char c = arguments[at];
  if (static_cast<unsigned char>(c) >= 0x80) return '\0';
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

Mode ModeOf(const std::string& arguments) {
  switch (ModeLetterOf(arguments)) {
    case 'P': return Mode::Preview;
    case 'C': return Mode::Settings;
    case 'S': return Mode::Saver;
    default: return arguments.empty() ? Mode::SaverCursorVisible : Mode::End;
  }
}

std::optional<int32_t> PreviewHandleOf(const std::string& arguments) {
  std::string text;
  for (size_t i = OffsetOfChar(arguments, 3); i < arguments.size(); ++i) {
    char c = arguments[i];
    if (c != ' ' && c != '\t' && c != '\n') text += c;
  }
  double v = 0;
  if (ReadNumber(text, '.', &v) == 0) return 0;
  double r = std::nearbyint(v);  // the default rounding mode: halves to even
  if (!(r >= INT32_MIN && r <= INT32_MAX)) return std::nullopt;
  return static_cast<int32_t>(r);
}

std::optional<double> ParseNumber(const std::string& text, char decimalSeparator) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::string number = text.substr(begin, end - begin);
  double v = 0;
  if (number.empty() || ReadNumber(number, decimalSeparator, &v) != number.size()) return std::nullopt;
  return v;
}

std::optional<int16_t> IniNumber(const std::string& text, char decimalSeparator) {
  std::optional<double> v = ParseNumber(text, decimalSeparator);
  if (!v) return std::nullopt;
  double f = std::floor(*v);
  if (!(f >= INT16_MIN && f <= INT16_MAX)) return std::nullopt;
  return static_cast<int16_t>(f);
}

std::string IniNumberText(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string FolderOf(const std::string& path) {
  size_t cut = path.find_last_of(":\\");
  if (cut == std::string::npos) return "";
  std::string folder = path.substr(0, cut + 1);
  if (folder.back() == '\\') folder.pop_back();
  return folder;
}

void LoadSettingsFrom(const SettingsSource& source) {
  using namespace Lumenfall_BGM;
  std::string mode = source.read(kKeyBgmMode);
  if (mode.empty()) {
    BgmMode = 0;
  } else if (auto n = IniNumber(mode, source.decimalSeparator)) {
    BgmMode = *n;
  }
  std::string repeat = source.read(kKeyBgmRepeat);
  if (repeat.empty()) {
    BgmRepeat = 0;
  } else if (auto n = IniNumber(repeat, source.decimalSeparator)) {
    BgmRepeat = *n;
  }
  BgmFile = source.read(kKeyBgmFile);
  if (!BgmFile.empty() && !source.pathExists(BgmFile)) BgmFile.clear();
  if (BgmFile.empty() && BgmMode == 2) BgmMode = 0;
  BgmFolder = BgmFile.empty() ? source.hostFolder : FolderOf(BgmFile);
}

MusicKind MusicKindOf(const std::string& file) {
  if (file.size() < 3) return MusicKind::None;
  std::string end = file.substr(file.size() - 3);
  for (char& c : end) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  if (end == "WAV") return MusicKind::Wav;
  if (end == "MP3") return MusicKind::Mp3;
  return MusicKind::None;
}

bool WatchEndsSaver(bool windowExists, bool windowSeenBefore, RendererProcess process) {
  if (windowExists) return false;
  return windowSeenBefore || process != RendererProcess::Running;
}

}  // namespace orv
