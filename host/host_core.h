// The Win32 edge of the host's shared layer: the settings file through the profile API, paths,
// the text conversions at the system's edges, and the dialog's zoom animation. The state and the
// portable rules behind it are in host_logic.h (read its note on text).
//
// Text conventions of these functions:
//  - section and key names are texts of the source (UTF-8); they reach the profile API as code
//    page 932 bytes;
//  - values, file names and paths are the system's ANSI bytes and pass unchanged.
#pragma once

#include <windows.h>

#include <string>

#include "host_logic.h"

// Text conversions at the Win32 edges.
std::string Cp932FromUtf8(const std::string& utf8);
std::wstring WideFromCp932(const std::string& cp932);
std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);

namespace Lumenfall_B {

using orv::FolderOf;

// Folder of the running host executable (ANSI bytes), without a trailing backslash.
std::string HostFolder();
// The settings file: the host's folder followed by "\Orvellia.ini".
std::string IniPath();

// The value of a key (at most 255 bytes: longer values come back cut), or "" when the key, the
// section or the file is absent.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file);
// Writes one key, creating the file, section and key as needed; the result goes to ApiResult.
// Section and key names are cut to 127 bytes.
void WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file);
// True when path names a file that can be opened for reading (a trailing backslash is dropped
// first); folders and missing files give false.
bool PathExists(const std::string& path);

// Fills the music settings (Lumenfall_BGM) from Orvellia.ini beside the host.
void LoadSettings();

// The caption-rectangle animation from the point (ZoomX, ZoomY) to the window, and back.
void ZoomOpen(HWND window);
void ZoomClose(HWND window);

}  // namespace Lumenfall_B
