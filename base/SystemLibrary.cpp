#include "base/SystemLibrary.h"

#include <string>

UniqueModule loadSystemLibrary(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return UniqueModule();
  // The DLL's own imports are then looked for beside it, in the system folder, instead of beside
  // the program as a load by full path alone would (XP, and Vista and 7 without the loader update).
  return UniqueModule(
      LoadLibraryExW((std::wstring(folder, length) + L'\\' + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

void restrictLibrarySearch() {
  // Neither is imported: Windows XP before SP1 has neither, and only an updated Windows 7 the
  // second. kernel32 stays loaded for the life of the process in any case.
  const UniqueModule kernel32 = loadSystemLibrary(L"kernel32.dll");
  using SetDllDirectory = BOOL(WINAPI*)(LPCWSTR);
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  if (const auto setDefault = libraryFunction<SetDefaultDirectories>(kernel32.get(), "SetDefaultDllDirectories")) {
    setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  if (const auto setDirectory = libraryFunction<SetDllDirectory>(kernel32.get(), "SetDllDirectoryW")) {
    setDirectory(L"");
  }
}
