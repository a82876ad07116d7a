#include "registry/RegistryError.h"

#include <windows.h>

#include "base/AnsiText.h"
#include "base/NumberText.h"

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

RegistryError RegistryError::fromSystem(long code) {
  char text[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) --length;
  return RegistryError(code, length > 0 ? fromAnsi(text, length) : L"Error " + decimalText(code));
}
