// The settings file through the profile API; see settings_profile.h.
#include "settings_profile.h"

#include <windows.h>

#include <cstring>

#include "startup_state.h"
#include "text_system.h"

namespace {

// A name as the profile API gets it: code page 932 bytes, cut to 127 bytes.
std::string ProfileName(const std::string& utf8) { return Cp932FromUtf8(utf8).substr(0, 127); }

}  // namespace

namespace Lumenfall_B {

std::string IniPath() { return HostFolder() + orv::kIniName; }

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file) {
  char buffer[256] = {};
  GetPrivateProfileStringA(ProfileName(section).c_str(), ProfileName(key).c_str(), "", buffer,
                           sizeof buffer, file.c_str());
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file) {
  ApiResult = WritePrivateProfileStringA(ProfileName(section).c_str(), ProfileName(key).c_str(),
                                         value.c_str(), file.c_str());
  return ApiResult != 0;
}

void LoadSettings() {
  orv::SettingsSource source;
  std::string ini = IniPath();
  source.read = [&ini](const char* key) { return ReadIni(orv::kIniSection, key, ini); };
  source.pathExists = PathExists;
  source.hostFolder = HostFolder();
  source.codePage = SystemCodePage();
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) > 1)
    source.decimalSeparator = separator[0];
  orv::LoadSettingsFrom(source);
}

}  // namespace Lumenfall_B
