// System DLLs loaded at first use; see system_library.h.
#include "system_library.h"

#include <string>

namespace orv {

HMODULE SystemLibrary(const char* dll) {
  // NOTE: LOAD_LIBRARY_SEARCH_SYSTEM32 is refused (ERROR_INVALID_PARAMETER) by Windows 7 without
  // its loader update; the full path in the system folder gives the same DLL there.
  if (HMODULE m = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return m;
  char folder[MAX_PATH];
  UINT n = GetSystemDirectoryA(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder, n) + "\\" + dll).c_str());
}

FARPROC SystemProc(const char* dll, const char* name) {
  HMODULE module = SystemLibrary(dll);
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace orv
