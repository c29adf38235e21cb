// The settings file Orvellia.ini (portable): its name, section and keys, the number rules of its
// values and the load rules that fill the music settings (music/music_settings.h). The profile
// API that reads and writes it is in settings_profile.h.
//
// Text. Values that come from the system (paths read from Orvellia.ini, the file chooser, the
// host's folder) are kept as the system's ANSI bytes, unchanged: code page 932 on a Japanese
// system. Fixed texts of the source (key names, messages) are UTF-8 here and are converted to code
// page 932 at the Win32 edge (text_system.h: Cp932FromUtf8), so a settings file written here is
// byte-for-byte one written on a Japanese system.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "text.h"

namespace orv {

// The settings file: its name beside the host, its one section and its three keys (UTF-8 here).
inline constexpr const char* kIniName = "\\Orvellia.ini";
inline constexpr const char* kIniSection = "Section";
inline constexpr const char* kKeyBgmMode = "BGM区分";
inline constexpr const char* kKeyBgmRepeat = "BGMﾘﾋﾟｰﾄ";
inline constexpr const char* kKeyBgmFile = "BGMﾌｧｲﾙ";

// A settings number: the text read as a number with the locale's decimal separator, blanks before
// and after allowed, rounded down (toward minus infinity); nothing when the text is not a number or
// the result does not fit in 16 bits.
std::optional<int16_t> IniNumber(const std::string& text, char decimalSeparator = '.');

// A number as the settings dialog writes it: one blank before a number that is not negative.
std::string IniNumberText(int value);

// What LoadSettings needs from the system.
struct SettingsSource {
  std::function<std::string(const char* key)> read;        // value of a key of "Section", or ""
  std::function<bool(const std::string& path)> pathExists;  // a readable file
  std::string hostFolder;                                   // folder of the running host
  char decimalSeparator = '.';
  AnsiCodePage codePage;  // the system's, by which paths are cut
};

// Fills the music settings from the source by the load rules: unreadable numbers keep the current
// value, a music file that cannot be read is cleared (and mode 2 falls back to 0), the chooser's
// folder is the music file's folder or else the host's.
void LoadSettingsFrom(const SettingsSource& source);

}  // namespace orv
