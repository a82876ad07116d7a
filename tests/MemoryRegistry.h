#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/RegistryPlatform.h"

// An in-memory registry answering the narrow registry calls as Windows and Wine do wherever the
// program relies on them (the conformance cases prove it), and failing when told to.
// HKEY_CLASSES_ROOT follows Wine 8, not Windows: it is HKEY_LOCAL_MACHINE\Software\Classes itself,
// without the user's HKEY_CURRENT_USER\Software\Classes merged over it as Windows shows them.
class MemoryRegistry final : public RegistryPlatform {
 public:
  enum class Op { Open, Create, DeleteKey, DeleteValue, SetValue, Connect, QueryValue, QueryInfo, EnumValue, EnumKey };
  // Called before every operation but closing, with the full path it addresses
  // ("HKEY_CURRENT_USER\a\b"); a non-zero answer fails the call with that code before anything
  // changes. It may also change the registry, as another process would.
  using Hook = std::function<LONG(Op op, const std::string& path)>;

  struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };

  // redirectFor32BitProgram: the calls answer a 32-bit program as 64-bit Windows XP and Vista do,
  // the computer's classes, reached without KEY_WOW64_64KEY, being the redirected copy in
  // HKEY_LOCAL_MACHINE\Software\Wow6432Node\Classes. Arranging and inspecting see every key where it is.
  explicit MemoryRegistry(bool redirectFor32BitProgram = false);

  void setHook(Hook hook) { hook_ = std::move(hook); }

  // Arranging and inspecting, outside any handle.
  bool keyExists(HKEY root, const std::string& path) const { return find(root, path) != nullptr; }
  void putKey(HKEY root, const std::string& path, const std::string& className = "");
  void putValue(HKEY root, const std::string& path, const std::string& name, DWORD type, std::vector<BYTE> data);
  std::optional<StoredValue> value(HKEY root, const std::string& path, const std::string& name) const;
  void removeKeyTree(HKEY root, const std::string& path);
  // Gives a key a security descriptor that denies everyone reading and changing it (querying and
  // setting values, making subkeys), as a policy or another program may, or takes it away. Such a
  // key is still there: it opens for less, and it can be deleted.
  void lockKey(HKEY root, const std::string& path, bool locked);
  static constexpr REGSAM kLockedRights = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
  size_t openHandles() const { return handles_.size(); }
  // A computer RegConnectRegistry reaches ("\\name"); its registry is this one.
  void addReachableMachine(const std::string& name) { machines_.push_back(name); }

  LONG openKey(HKEY parent, const char* subKey, DWORD options, REGSAM access, HKEY* result) override;
  LONG createKey(HKEY parent, const char* subKey, const char* className, DWORD options, REGSAM access,
                 SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition) override;
  LONG closeKey(HKEY key) override;
  LONG deleteKey(HKEY parent, const char* subKey, REGSAM view) override;
  LONG deleteValue(HKEY key, const char* name) override;
  LONG setValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override;
  LONG connectRegistry(const char* machine, HKEY root, HKEY* result) override;
  LONG queryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override;
  LONG queryInfoKey(HKEY key, char* className, DWORD* classSize, DWORD* subKeys, DWORD* maxSubKeyLength,
                    DWORD* maxClassLength, DWORD* values, DWORD* maxValueNameLength,
                    DWORD* maxValueLength) override;
  LONG enumValue(HKEY key, DWORD index, char* name, DWORD* nameSize) override;
  LONG enumKey(HKEY key, DWORD index, char* name, DWORD nameSize) override;
  // The process's own environment, as the real call expands it.
  DWORD expandEnvironmentStrings(const char* source, char* destination, DWORD size) override;

 private:
  struct Key;
  // The key a handle (open or predefined) stands for, and the access it was opened with.
  LONG resolve(HKEY handle, std::shared_ptr<Key>& key, REGSAM needed = 0) const;
  // Walks a relative path in the view that access asks for; with create, makes the missing keys.
  // Empty parts are skipped.
  LONG walk(std::shared_ptr<Key> from, const char* path, bool create, const std::string& className, REGSAM access,
            std::shared_ptr<Key>& found, bool* created = nullptr) const;
  std::shared_ptr<Key> find(HKEY root, const std::string& path) const;
  LONG openOrCreate(Op op, HKEY parent, const char* subKey, const std::string& className, REGSAM access, HKEY* result,
                    bool* created);
  LONG hook(Op op, HKEY parent, const char* subKey = nullptr);
  // The hook's answer, then the key of an open handle that has the access needed.
  LONG enter(Op op, HKEY handle, REGSAM needed, std::shared_ptr<Key>& key);

  std::map<HKEY, std::shared_ptr<Key>> roots_;
  std::shared_ptr<Key> classes_, redirectedClasses_;  // the computer's classes, and their copy
  std::vector<std::string> machines_;
  std::map<HKEY, std::pair<std::shared_ptr<Key>, REGSAM>> handles_;
  Hook hook_;
  uintptr_t nextHandle_ = 0x1000;
};
