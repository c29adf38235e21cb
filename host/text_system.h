// Text and paths at the Win32 edge: conversions between the source's UTF-8, code page 932 and the
// wide (W) functions, the host's folder and whether a path names a readable file. One place for
// them, shared by the host, the toolkit, the Command button and the settings dialog.
//
// Screens show text through the wide functions: WideFromCp932 for code page 932 bytes (values of
// the system), WideFromUtf8 for texts of the source.
#pragma once

#include <windows.h>

#include <string>

#include "text.h"

// Text conversions at the Win32 edges.
std::string Cp932FromUtf8(const std::string& utf8);
std::wstring WideFromCp932(const std::string& cp932);
std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);

namespace Lumenfall_B {

// The system's ANSI code page (CP_ACP) as the path rules need it, asked of the system once:
// every path rule of the host cuts by the characters of this code page.
const orv::AnsiCodePage& SystemCodePage();

// Folder of the running host executable (ANSI bytes), without a trailing backslash.
std::string HostFolder();

// True when path names a file that can be opened for reading (a "\" character that ends it is
// dropped first, not a trail byte 0x5C); folders and missing files give false.
bool PathExists(const std::string& path);

}  // namespace Lumenfall_B
