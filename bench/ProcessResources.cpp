#include "bench/ProcessResources.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace resources {

// GetProcessHandleCount (Windows XP SP1 and later, so looked up); Wine 8 answers 0 there but
// lists every process's handles in one call (NtQuerySystemInformation, SystemHandleInformation),
// entries of its own layout: owner id, type, flags, handle value, object, access.
DWORD kernelHandles() {
  using Count = BOOL(WINAPI*)(HANDLE, PDWORD);
  const auto count = reinterpret_cast<Count>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetProcessHandleCount")));
  DWORD handles = 0;
  if (count && count(GetCurrentProcess(), &handles) && handles > 0) return handles;
  struct Entry {
    ULONG owner;
    BYTE type, flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
  };
  struct List {
    ULONG count;
    Entry entries[1];
  };
  using Query = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  const auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
  const NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
  std::vector<BYTE> list(1 << 16);
  NTSTATUS status = kInfoLengthMismatch;
  while (query && (status = query(kSystemHandleInformation, list.data(), static_cast<ULONG>(list.size()), nullptr)) ==
                      kInfoLengthMismatch) {
    list.resize(list.size() * 2);
  }
  if (status != 0) return 0;
  const auto* all = reinterpret_cast<const List*>(list.data());
  for (ULONG i = 0; i < all->count; ++i) handles += all->entries[i].owner == GetCurrentProcessId();
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
