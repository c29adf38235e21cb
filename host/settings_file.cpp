// The settings file's rules; see settings_file.h.
#include "settings_file.h"

#include <cmath>

#include "music_settings.h"
#include "number_text.h"
#include "text.h"

namespace orv {

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
  BgmFolder = BgmFile.empty() ? source.hostFolder : FolderOf(BgmFile, source.codePage);
}

}  // namespace orv
