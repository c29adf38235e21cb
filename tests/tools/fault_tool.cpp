// A Windows helper for the fault scenarios and the soak (never shipped). Run it in the prefix of
// the programs it looks at:
//   saverflag FILE        writes 1 or 0 to FILE: the system's screen-saver-running flag
//                         (SystemParametersInfo SPI_GETSCREENSAVERRUNNING)
//   counts TITLE FILE     for the process that owns the top-level window titled TITLE, writes
//                         "handles=N gpc=N gdi=N user=N" to FILE: N handles in the server's handle
//                         table (NtQuerySystemInformation, SystemHandleInformation), and what
//                         GetProcessHandleCount and GetGuiResources (GDI, USER) say about it
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool WriteText(const wchar_t* file, const std::string& text) {
  FILE* f = _wfopen(file, L"wb");
  if (!f) return false;
  fwrite(text.data(), 1, text.size(), f);
  fclose(f);
  return true;
}

// The layout of SystemHandleInformation (class 16): a count, then one entry per open handle.
struct HandleEntry {
  ULONG OwnerPid;
  BYTE ObjectType;
  BYTE HandleFlags;
  USHORT HandleValue;
  PVOID ObjectPointer;
  ULONG AccessMask;
};
struct HandleTable {
  ULONG Count;
  HandleEntry Handles[1];
};

using QueryFn = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

// Number of handles the process holds, or -1 when the table cannot be read.
long ServerHandleCount(DWORD pid) {
  auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  std::vector<BYTE> buf(1 << 20);
  for (int attempt = 0; attempt < 8; ++attempt) {
    ULONG needed = 0;
    NTSTATUS st = query(16, buf.data(), static_cast<ULONG>(buf.size()), &needed);
    if (st == 0) {
      auto* table = reinterpret_cast<HandleTable*>(buf.data());
      long n = 0;
      for (ULONG i = 0; i < table->Count; ++i)
        if (table->Handles[i].OwnerPid == pid) ++n;
      return n;
    }
    buf.resize(buf.size() * 2 + needed);
  }
  return -1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring cmd = argc > 1 ? argv[1] : L"";
  if (cmd == L"saverflag" && argc == 3) {
    BOOL running = FALSE;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) return 1;
    return WriteText(argv[2], running ? "1" : "0") ? 0 : 1;
  }
  if (cmd == L"counts" && argc == 4) {
    HWND w = FindWindowW(nullptr, argv[2]);
    if (!w) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    DWORD gpc = 0, gdi = 0, user = 0;
    if (p) {
      if (!GetProcessHandleCount(p, &gpc)) gpc = 0;
      gdi = GetGuiResources(p, GR_GDIOBJECTS);
      user = GetGuiResources(p, GR_USEROBJECTS);
      CloseHandle(p);
    }
    char text[160];
    snprintf(text, sizeof text, "handles=%ld gpc=%lu gdi=%lu user=%lu", ServerHandleCount(pid),
             static_cast<unsigned long>(gpc), static_cast<unsigned long>(gdi),
             static_cast<unsigned long>(user));
    return WriteText(argv[3], text) ? 0 : 1;
  }
  return 2;
}
