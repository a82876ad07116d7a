#include "registry/RegistryPlatform.h"

#include "base/SystemLibrary.h"

namespace {
class Win32RegistryPlatform final : public RegistryPlatform {
 public:
  LONG openKey(HKEY parent, const char* subKey, DWORD options, REGSAM access, HKEY* result) override {
    return RegOpenKeyExA(parent, subKey, options, access, result);
  }
  LONG createKey(HKEY parent, const char* subKey, const char* className, DWORD options, REGSAM access,
                 SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition) override {
    return RegCreateKeyExA(parent, subKey, 0, const_cast<char*>(className), options, access, security,
                           result, disposition);
  }
  LONG closeKey(HKEY key) override { return RegCloseKey(key); }
  // RegDeleteKeyA deletes in the caller's own view only. The delete that takes a view is exported
  // where there are two views (64-bit Windows from XP x64 on) and by every Windows from Vista on,
  // which ignores the view on 32-bit Windows; where it is missing, the one view is the caller's.
  // Looked up, not imported, so that the program still starts on 32-bit Windows XP.
  LONG deleteKey(HKEY parent, const char* subKey, REGSAM view) override {
    using DeleteInView = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
    static const UniqueModule advapi32 = loadSystemLibrary(L"advapi32.dll");
    static const auto deleteInView = libraryFunction<DeleteInView>(advapi32.get(), "RegDeleteKeyExA");
    return view && deleteInView ? deleteInView(parent, subKey, view, 0) : RegDeleteKeyA(parent, subKey);
  }
  LONG deleteValue(HKEY key, const char* name) override { return RegDeleteValueA(key, name); }
  LONG setValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override {
    return RegSetValueExA(key, name, 0, type, data, size);
  }
  LONG connectRegistry(const char* machine, HKEY root, HKEY* result) override {
    return RegConnectRegistryA(machine, root, result);
  }
  LONG queryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override {
    return RegQueryValueExA(key, name, nullptr, type, data, size);
  }
  LONG queryInfoKey(HKEY key, char* className, DWORD* classSize, DWORD* subKeys, DWORD* maxSubKeyLength,
                    DWORD* maxClassLength, DWORD* values, DWORD* maxValueNameLength,
                    DWORD* maxValueLength) override {
    return RegQueryInfoKeyA(key, className, classSize, nullptr, subKeys, maxSubKeyLength, maxClassLength,
                            values, maxValueNameLength, maxValueLength, nullptr, nullptr);
  }
  LONG enumValue(HKEY key, DWORD index, char* name, DWORD* nameSize) override {
    return RegEnumValueA(key, index, name, nameSize, nullptr, nullptr, nullptr, nullptr);
  }
  LONG enumKey(HKEY key, DWORD index, char* name, DWORD nameSize) override {
    return RegEnumKeyA(key, index, name, nameSize);
  }
  DWORD expandEnvironmentStrings(const char* source, char* destination, DWORD size) override {
    return ExpandEnvironmentStringsA(source, destination, size);
  }
};
}  // namespace

RegistryPlatform& systemRegistry() {
  static Win32RegistryPlatform platform;
  return platform;
}
