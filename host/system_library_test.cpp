// System DLLs loaded at first use, against the real loader.
#include "system_library.h"

#include <commdlg.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

TEST(SystemLibrary, LoadsFromTheSystemFolderAtFirstUseAndFindsTheFunction) {
  // This test program does not import comdlg32, so nothing has loaded it yet.
  ASSERT_EQ(nullptr, GetModuleHandleA("comdlg32.dll"));
  auto* open = orv::SystemFunction<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  ASSERT_NE(nullptr, open);
  HMODULE module = GetModuleHandleA("comdlg32.dll");
  ASSERT_NE(nullptr, module);
  EXPECT_EQ(reinterpret_cast<void*>(open), reinterpret_cast<void*>(GetProcAddress(module, "GetOpenFileNameA")));
  char path[MAX_PATH], system[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(module, path, MAX_PATH), 0u);
  UINT n = GetSystemDirectoryA(system, MAX_PATH);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(Lower(std::string(system, n)) + "\\comdlg32.dll", Lower(path));
}

TEST(SystemLibrary, MissingLibraryOrFunctionGivesNull) {
  EXPECT_EQ(nullptr, orv::SystemLibrary("orvellia_no_such_library.dll"));
  EXPECT_EQ(nullptr, orv::SystemProc("orvellia_no_such_library.dll", "Anything"));
  EXPECT_EQ(nullptr, orv::SystemProc("shell32.dll", "OrvelliaNoSuchFunction"));
  EXPECT_NE(nullptr, orv::SystemProc("shell32.dll", "ShellExecuteA"));
}

}  // namespace
