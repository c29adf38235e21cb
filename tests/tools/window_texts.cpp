// A Windows helper for the setup program's scenarios (never shipped):
//   window_texts CAPTION FILE   writes to FILE (UTF-8) one line for each visible top-level window
//                               whose title starts with CAPTION ("window CLASS TITLE"), each
//                               followed by one line for each of its child windows
//                               ("ID<TAB>CLASS<TAB>TEXT", line breaks as blanks), so a scenario
//                               can tell which page or message a program shows and what its
//                               fields hold. Exit code 1 when there is no such window.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
  const wchar_t* caption;
  std::wstring out;
  int found = 0;
};

std::wstring TextOf(HWND h) {
  // WM_GETTEXT reads an edit control's contents too, not only captions.
  wchar_t buf[2048] = {};
  SendMessageTimeoutW(h, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  std::wstring text(buf);
  for (wchar_t& c : text)
    if (c == L'\r' || c == L'\n' || c == L'\t') c = L' ';
  return text;
}

std::wstring ClassOf(HWND h) {
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  return cls;
}

BOOL CALLBACK OnChild(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  s->out += std::to_wstring(GetDlgCtrlID(h)) + L"\t" + ClassOf(h) + L"\t" + TextOf(h) + L"\n";
  return TRUE;
}

BOOL CALLBACK OnTopLevel(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  wchar_t title[256] = {};
  GetWindowTextW(h, title, 256);
  if (IsWindowVisible(h) && wcsncmp(title, s->caption, wcslen(s->caption)) == 0) {
    ++s->found;
    s->out += L"window " + ClassOf(h) + L" " + title + L"\n";
    EnumChildWindows(h, OnChild, p);
  }
  return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc != 3) return 2;
  Search s;
  s.caption = argv[1];
  EnumWindows(OnTopLevel, reinterpret_cast<LPARAM>(&s));
  int n = WideCharToMultiByte(CP_UTF8, 0, s.out.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(n > 0 ? n - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.out.c_str(), -1, bytes.data(), n, nullptr, nullptr);
  FILE* f = _wfopen(argv[2], L"wb");
  if (!f) return 2;
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
  return s.found > 0 ? 0 : 1;
}
