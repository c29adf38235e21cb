// A Windows helper for the fault scenarios and the soak (never shipped). Run it in the prefix of
// the programs it looks at:
//   saverflag FILE        writes 1 or 0 to FILE: the system's screen-saver-running flag
//                         (SystemParametersInfo SPI_GETSCREENSAVERRUNNING)
//   counts TITLE FILE     for the process that owns the top-level window titled TITLE, writes
//                         "handles=N gpc=N gdi=N user=N gditable=N" to FILE: N handles in the
//                         server's handle table (NtQuerySystemInformation,
//                         SystemHandleInformation), what GetProcessHandleCount and
//                         GetGuiResources (GDI, USER) say about it, and the live entries of its
//                         GDI handle table
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

using QueryProcessFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

// Live GDI objects of another process, read from its GDI handle table, or -1 when it cannot be
// read. Wine 8 answers 0 to GetGuiResources, but keeps each process's table where Windows keeps
// it: the process environment block's GdiSharedHandleTable (offset 0xF8 in 64-bit processes)
// points at 65,536 entries of 24 bytes whose type byte (offset 14) is 0 when the entry is free.
long GdiTableCount(HANDLE process) {
  auto query = reinterpret_cast<QueryProcessFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION info{};
  if (!query || query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return -1;
  UINT64 table = 0;
  const auto* field = reinterpret_cast<const BYTE*>(info.PebBaseAddress) + 0xF8;
  if (!ReadProcessMemory(process, field, &table, sizeof table, nullptr) || !table) return -1;
  constexpr size_t kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14;
  std::vector<BYTE> entries(kEntries * kEntrySize);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                         entries.size(), nullptr))
    return -1;
  long live = 0;
  for (size_t i = 0; i < kEntries; ++i)
    if (entries[i * kEntrySize + kTypeOffset] != 0) ++live;
  return live;
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
    HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    DWORD gpc = 0, gdi = 0, user = 0;
    long gdiTable = -1;
    if (p) {
      gdiTable = GdiTableCount(p);
      if (!GetProcessHandleCount(p, &gpc)) gpc = 0;
      gdi = GetGuiResources(p, GR_GDIOBJECTS);
      user = GetGuiResources(p, GR_USEROBJECTS);
      CloseHandle(p);
    }
    char text[200];
    snprintf(text, sizeof text, "handles=%ld gpc=%lu gdi=%lu user=%lu gditable=%ld",
             ServerHandleCount(pid), static_cast<unsigned long>(gpc),
             static_cast<unsigned long>(gdi), static_cast<unsigned long>(user), gdiTable);
    return WriteText(argv[3], text) ? 0 : 1;
  }
  return 2;
}
