#include "app/ProgramVersion.h"

#include <windows.h>

#include <cstring>

#include "base/NumberText.h"

ProgramVersion ProgramVersion::ofThisProgram() {
  ProgramVersion version;
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), reinterpret_cast<LPCWSTR>(RT_VERSION));
  if (!resource) return version;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
  const DWORD size = SizeofResource(module, resource);
  // The fixed part starts with its signature, on a 32-bit boundary after the block's key.
  for (DWORD offset = 0; data && offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, data + offset, sizeof fixed);
    if (fixed.dwSignature == 0xFEEF04BD) {
      version.major = HIWORD(fixed.dwFileVersionMS);
      version.minor = LOWORD(fixed.dwFileVersionMS);
      version.revision = LOWORD(fixed.dwFileVersionLS);
      break;
    }
  }
  return version;
}

std::wstring versionText(const ProgramVersion& version) {
  return decimalText(version.major) + L"." + decimalText(version.minor, 2);
}

std::wstring buildText(const ProgramVersion& version) {
  return L"#" + decimalText(version.revision, 4);
}
