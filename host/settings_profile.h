// The settings file through the system's profile API: ReadIni, WriteIni and LoadSettings over
// Orvellia.ini beside the host. The portable rules behind them are in settings_file.h (read its
// note on text).
//
// Section and key names are texts of the source (UTF-8); they reach the profile API as code page
// 932 bytes. Values and file names are the system's ANSI bytes and pass unchanged.
#pragma once

#include <string>

#include "settings_file.h"

namespace Lumenfall_B {

// The settings file: the host's folder followed by "\Orvellia.ini".
std::string IniPath();

// The value of a key (at most 255 bytes: longer values come back cut), or "" when the key, the
// section or the file is absent.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file);
// Writes one key, creating the file, section and key as needed; the result goes to ApiResult and
// is returned (false when the system could not write the file). Section and key names are cut to
// 127 bytes.
bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file);

// Fills the music settings (Lumenfall_BGM) from Orvellia.ini beside the host.
void LoadSettings();

}  // namespace Lumenfall_B
