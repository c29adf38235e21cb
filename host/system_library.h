// System DLLs that only some modes use, loaded when those modes first need them: the settings
// dialog's file chooser (comdlg32), web page (shell32) and button gradient (msimg32), the preview's
// picture decoding (ole32, oleaut32), and the music (winmm). A running screen saver loads none of
// the dialog's and the preview's, and winmm only once its music starts, after the renderer.
//
// Plain LoadLibrary and GetProcAddress, so it works alike with MinGW and MSVC (no delay-load
// import library needed). Each DLL is looked for in the system folder only, never beside the
// program or in the current folder.
#pragma once

#include <windows.h>

namespace orv {

// The system DLL `dll` (e.g. "comdlg32.dll") from the system folder, loaded at the first call and
// kept for the life of the process; nullptr when it cannot be loaded.
HMODULE SystemLibrary(const char* dll);

// The function `name` of the system DLL `dll`; nullptr when the DLL or the function is missing.
FARPROC SystemProc(const char* dll, const char* name);

// SystemProc typed as the function it names, e.g.
//   static auto* open = SystemFunction<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
template <class Function>
Function* SystemFunction(const char* dll, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(SystemProc(dll, name)));
}

}  // namespace orv
