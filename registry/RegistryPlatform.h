#pragma once
#include <windows.h>

#include <cstdint>

// The registry and environment calls the registry object makes, in the shape of the narrow
// Win32 functions. The program uses the real ones; tests also use an in-memory registry.
class RegistryPlatform {
 public:
  virtual ~RegistryPlatform() = default;
  virtual LONG openKey(HKEY parent, const char* subKey, DWORD options, REGSAM access, HKEY* result) = 0;
  virtual LONG createKey(HKEY parent, const char* subKey, const char* className, DWORD options,
                         REGSAM access, SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition) = 0;
  virtual LONG closeKey(HKEY key) = 0;
  // view: 0 for the caller's own view of the registry (RegDeleteKeyA), or KEY_WOW64_64KEY.
  virtual LONG deleteKey(HKEY parent, const char* subKey, REGSAM view) = 0;
  virtual LONG deleteValue(HKEY key, const char* name) = 0;
  virtual LONG setValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) = 0;
  virtual LONG connectRegistry(const char* machine, HKEY root, HKEY* result) = 0;
  virtual LONG queryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) = 0;
  virtual LONG queryInfoKey(HKEY key, char* className, DWORD* classSize, DWORD* subKeys,
                            DWORD* maxSubKeyLength, DWORD* maxClassLength, DWORD* values,
                            DWORD* maxValueNameLength, DWORD* maxValueLength) = 0;
  virtual LONG enumValue(HKEY key, DWORD index, char* name, DWORD* nameSize) = 0;
  virtual LONG enumKey(HKEY key, DWORD index, char* name, DWORD nameSize) = 0;
  virtual DWORD expandEnvironmentStrings(const char* source, char* destination, DWORD size) = 0;
};

// advapi32 and kernel32 themselves.
RegistryPlatform& systemRegistry();

// A predefined root handle from its signed 32-bit number (HKEY_CLASSES_ROOT is -2147483648).
inline HKEY rootKeyFromNumber(int32_t number) {
  return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(number));
}

// Closes a key through the platform that opened it, on every path out of a scope.
class RegKeyHandle {
 public:
  explicit RegKeyHandle(RegistryPlatform& platform) : platform_(&platform) {}
  RegKeyHandle(const RegKeyHandle&) = delete;
  RegKeyHandle& operator=(const RegKeyHandle&) = delete;
  ~RegKeyHandle() { reset(); }

  HKEY get() const { return key_; }
  HKEY* receive() { reset(); return &key_; }
  explicit operator bool() const { return key_ != nullptr; }
  void reset() {
    if (key_) platform_->closeKey(key_);
    key_ = nullptr;
  }

 private:
  RegistryPlatform* platform_;
  HKEY key_ = nullptr;
};
