#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "registry/RegistryPlatform.h"

// An in-memory registry that answers the narrow registry calls as Windows (and Wine) do wherever
// the program relies on them, and can be told to fail: the conformance suite runs the same cases
// here and on the real registry.
class MemoryRegistry final : public RegistryPlatform {
 public:
  enum class Op { Open, Create, Close, DeleteKey, DeleteValue, SetValue, Connect, QueryValue, QueryInfo,
                  EnumValue, EnumKey };
  // Called before every operation with the full path it addresses ("HKEY_CURRENT_USER\a\b"); a
  // non-zero answer fails the call with that code before anything changes. It may also change the
  // registry, like another process would.
  using Hook = std::function<LONG(Op op, const std::string& path)>;

  struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };

  MemoryRegistry();
  ~MemoryRegistry() override;

  void setHook(Hook hook) { hook_ = std::move(hook); }
  // Computers that RegConnectRegistry reaches ("\\name"); they share this registry's roots.
  void addReachableMachine(const std::string& name) { machines_.insert(upper(name)); }
  // Windows fails an information query whose class buffer is too small for the key's class name.
  void setStrictClassQuery(bool strict) { strictClassQuery_ = strict; }
  void setEnvironment(const std::string& name, const std::string& value) { environment_[upper(name)] = value; }

  // Arranging and inspecting, outside any handle.
  bool keyExists(HKEY root, const std::string& path) const;
  void putKey(HKEY root, const std::string& path, const std::string& className = "");
  void putValue(HKEY root, const std::string& path, const std::string& name, DWORD type, std::vector<BYTE> data);
  std::optional<StoredValue> value(HKEY root, const std::string& path, const std::string& name) const;
  void removeKeyTree(HKEY root, const std::string& path);

  size_t openHandles() const { return handles_.size(); }
  size_t calls() const { return calls_; }

  LONG openKey(HKEY parent, const char* subKey, DWORD options, REGSAM access, HKEY* result) override;
  LONG createKey(HKEY parent, const char* subKey, const char* className, DWORD options, REGSAM access,
                 SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition) override;
  LONG closeKey(HKEY key) override;
  LONG deleteKey(HKEY parent, const char* subKey) override;
  LONG deleteValue(HKEY key, const char* name) override;
  LONG setValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override;
  LONG connectRegistry(const char* machine, HKEY root, HKEY* result) override;
  LONG queryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override;
  LONG queryInfoKey(HKEY key, char* className, DWORD* classSize, DWORD* subKeys, DWORD* maxSubKeyLength,
                    DWORD* maxClassLength, DWORD* values, DWORD* maxValueNameLength,
                    DWORD* maxValueLength) override;
  LONG enumValue(HKEY key, DWORD index, char* name, DWORD* nameSize) override;
  LONG enumKey(HKEY key, DWORD index, char* name, DWORD nameSize) override;
  DWORD expandEnvironmentStrings(const char* source, char* destination, DWORD size) override;

 private:
  struct Key;
  struct Handle {
    std::shared_ptr<Key> key;
    REGSAM access;
  };
  static std::string upper(std::string text);

  // The key a handle (open or predefined) stands for, or an error code.
  LONG resolve(HKEY handle, std::shared_ptr<Key>& key, REGSAM* access = nullptr) const;
  // Walks a relative path; with create, makes the missing keys. Empty parts are skipped.
  LONG walk(const std::shared_ptr<Key>& from, const char* path, bool create, const std::string& className,
            std::shared_ptr<Key>& found, bool* created = nullptr);
  std::shared_ptr<Key> find(HKEY root, const std::string& path) const;
  HKEY newHandle(std::shared_ptr<Key> key, REGSAM access);
  LONG hook(Op op, HKEY parent, const char* subKey);
  std::string pathOf(const std::shared_ptr<Key>& key) const;

  std::map<HKEY, std::shared_ptr<Key>> roots_;
  std::map<HKEY, Handle> handles_;
  std::set<std::string> machines_;
  std::map<std::string, std::string> environment_;
  Hook hook_;
  bool strictClassQuery_ = false;
  uintptr_t nextHandle_ = 0x1000;
  size_t calls_ = 0;
};
