#include "bench/ProcessResources.h"

#include <psapi.h>
#include <winternl.h>

namespace resources {

// GetProcessHandleCount (Windows XP SP1 and later, so looked up); Wine 8 answers 0 there, so
// then every handle value is asked about instead.
DWORD kernelHandles() {
  using Count = BOOL(WINAPI*)(HANDLE, PDWORD);
  const auto count = reinterpret_cast<Count>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetProcessHandleCount")));
  DWORD handles = 0;
  if (count && count(GetCurrentProcess(), &handles) && handles > 0) return handles;
  for (UINT_PTR value = 4; value < 0x10000; value += 4) {
    DWORD flags;
    handles += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE;
  }
  return handles;
}

// GetGuiResources; Wine 8 answers 0 there but keeps a GDI handle table of the process where
// Windows keeps its own (the PEB's GdiSharedHandleTable), 24-byte entries whose type byte (at
// offset 14) is 0 when free.
DWORD gdiObjects() {
  if (const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return objects;
  using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return 0;
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const BYTE* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
  DWORD objects = 0;
  for (size_t entry = 0; table && entry < 0x10000; ++entry) objects += table[entry * 24 + 14] != 0;
  return objects;
}

namespace {
BOOL CALLBACK countWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}
BOOL CALLBACK countWindowAndChildren(HWND window, LPARAM count) {
  EnumChildWindows(window, countWindow, count);
  return countWindow(window, count);
}
}  // namespace

SIZE_T workingSetKiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters) ? counters.WorkingSetSize / 1024 : 0;
}

DWORD windowsOfThisThread() {
  DWORD windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), countWindowAndChildren, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace resources
