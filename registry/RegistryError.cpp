#include "registry/RegistryError.h"

#include <windows.h>

#include "base/AnsiText.h"

RegistryError::RegistryError(int32_t number, std::wstring description)
    : ProgramError(toAnsi(description)),
      number_(number),
      source_(defaultSource()),
      description_(std::move(description)) {}

std::wstring RegistryError::defaultSource() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, length);
  const size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  const size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  return name + L".cRegistry";
}
