// Text and paths at the Win32 edge; see text_system.h.
#include "text_system.h"

#include <vector>

namespace {

std::wstring WideFrom(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string BytesFrom(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n,
                      nullptr, nullptr);
  return bytes;
}

}  // namespace

std::string Cp932FromUtf8(const std::string& utf8) { return BytesFrom(932, WideFrom(CP_UTF8, utf8)); }
std::wstring WideFromCp932(const std::string& cp932) { return WideFrom(932, cp932); }
std::wstring WideFromUtf8(const std::string& utf8) { return WideFrom(CP_UTF8, utf8); }
std::string Utf8FromWide(const std::wstring& wide) { return BytesFrom(CP_UTF8, wide); }

namespace Lumenfall_B {

const orv::AnsiCodePage& SystemCodePage() {
  static const orv::AnsiCodePage codePage = [] {
    orv::AnsiCodePage cp;
    for (int b = 0; b < 256; ++b)
      cp.SetLeadByte(static_cast<unsigned char>(b), IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b)));
    return cp;
  }();
  return codePage;
}

std::string HostFolder() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return "";
    if (n < path.size()) return orv::ParentOf(std::string(path.data(), n), SystemCodePage());
    path.resize(path.size() * 2);
  }
}

bool PathExists(const std::string& path) {
  std::string file = orv::WithoutTrailingBackslash(path, SystemCodePage());
  if (file.empty()) return false;
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened, so only files pass.
  HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

}  // namespace Lumenfall_B
