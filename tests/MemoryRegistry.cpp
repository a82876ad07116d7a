#include "tests/MemoryRegistry.h"

#include <algorithm>
#include <cstring>

struct MemoryRegistry::Key {
  std::string name, className;
  std::weak_ptr<Key> parent;
  bool deleted = false, locked = false;
  std::map<std::string, std::shared_ptr<Key>> children;               // by upper-case name: sorted
  std::map<std::string, std::pair<std::string, StoredValue>> values;  // by upper-case name
};

namespace {
std::vector<std::string> splitPath(const std::string& path) {
  std::vector<std::string> parts;
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// As the system compares and sorts names: every letter in upper case, not only ASCII ones (in
// UTF-16, written big-endian so that the bytes sort as the characters do).
std::string upper(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(std::max(0, MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                              static_cast<int>(wide.size()))));
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  std::string key;
  for (wchar_t c : wide) key += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  return key;
}

// Copies a name with its terminator into a buffer of `size` characters, as the enumeration calls do.
LONG copyName(const std::string& name, char* buffer, DWORD size) {
  if (name.size() + 1 > size) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return ERROR_SUCCESS;
}
}  // namespace

MemoryRegistry::MemoryRegistry(bool redirectFor32BitProgram) {
  for (const auto& [handle, name] : {std::pair{HKEY_CURRENT_USER, "HKEY_CURRENT_USER"}, {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}}) {
    roots_[handle] = std::make_shared<Key>();
    roots_[handle]->name = name;
  }
  walk(roots_[HKEY_LOCAL_MACHINE], "Software\\Classes", true, "", 0, classes_);
  roots_[HKEY_CLASSES_ROOT] = classes_;
  if (redirectFor32BitProgram) walk(roots_[HKEY_LOCAL_MACHINE], "Software\\Wow6432Node\\Classes", true, "", 0, redirectedClasses_);
}

LONG MemoryRegistry::resolve(HKEY handle, std::shared_ptr<Key>& key, REGSAM needed) const {
  if (auto root = roots_.find(handle); root != roots_.end()) {
    key = root->second;
    return ERROR_SUCCESS;
  }
  auto open = handles_.find(handle);
  if (open == handles_.end()) return ERROR_INVALID_HANDLE;
  if (open->second.first->deleted) return ERROR_KEY_DELETED;
  if ((open->second.second & needed) != needed) return ERROR_ACCESS_DENIED;
  key = open->second.first;
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::walk(std::shared_ptr<Key> key, const char* path, bool create, const std::string& className,
                          REGSAM access, std::shared_ptr<Key>& found, bool* created) const {
  const std::string text = path ? path : "";
  const bool redirected = redirectedClasses_ && !(access & KEY_WOW64_64KEY);
  bool made = false;
  for (const std::string& part : splitPath(text)) {
    if (redirected && key == classes_) key = redirectedClasses_;
    auto child = key->children.find(upper(part));
    if (child != key->children.end()) {
      key = child->second;
      continue;
    }
    if (!create) return ERROR_FILE_NOT_FOUND;
    auto next = std::make_shared<Key>();
    next->name = part;
    next->parent = key;
    key = key->children[upper(part)] = next;
    made = true;
  }
  if (redirected && key == classes_) key = redirectedClasses_;
  if (made) key->className = className;
  if (created) *created = made;
  found = key;
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::enter(Op op, HKEY handle, REGSAM needed, std::shared_ptr<Key>& key) {
  if (LONG fault = hook(op, handle)) return fault;
  return resolve(handle, key, needed);
}

LONG MemoryRegistry::hook(Op op, HKEY parent, const char* subKey) {
  if (!hook_) return ERROR_SUCCESS;
  std::shared_ptr<Key> key;
  std::string path;
  if (resolve(parent, key) == ERROR_SUCCESS) {
    path = key->name;
    for (auto up = key->parent.lock(); up; up = up->parent.lock()) path = up->name + "\\" + path;
  }
  for (const std::string& part : splitPath(subKey ? subKey : "")) path += "\\" + part;
  return hook_(op, path);
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::find(HKEY root, const std::string& path) const {
  std::shared_ptr<Key> key;
  return walk(roots_.at(root), path.c_str(), false, "", KEY_WOW64_64KEY, key) ? nullptr : key;
}

void MemoryRegistry::putKey(HKEY root, const std::string& path, const std::string& className) {
  std::shared_ptr<Key> key;
  walk(roots_.at(root), path.c_str(), true, className, KEY_WOW64_64KEY, key);
}

void MemoryRegistry::putValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                              std::vector<BYTE> data) {
  putKey(root, path);
  find(root, path)->values[upper(name)] = {name, StoredValue{type, std::move(data)}};
}

std::optional<MemoryRegistry::StoredValue> MemoryRegistry::value(HKEY root, const std::string& path,
                                                                 const std::string& name) const {
  auto key = find(root, path);
  if (!key || !key->values.count(upper(name))) return std::nullopt;
  return key->values.at(upper(name)).second;
}

void MemoryRegistry::removeKeyTree(HKEY root, const std::string& path) {
  auto key = find(root, path);
  if (!key) return;
  std::function<void(Key&)> markDeleted = [&](Key& k) {
    k.deleted = true;
    for (auto& child : k.children) markDeleted(*child.second);
  };
  markDeleted(*key);
  if (auto parent = key->parent.lock()) parent->children.erase(upper(key->name));
}

void MemoryRegistry::lockKey(HKEY root, const std::string& path, bool locked) {
  if (auto key = find(root, path)) key->locked = locked;
}

LONG MemoryRegistry::openKey(HKEY parent, const char* subKey, DWORD, REGSAM access, HKEY* result) {
  return openOrCreate(Op::Open, parent, subKey, "", access, result, nullptr);
}

LONG MemoryRegistry::createKey(HKEY parent, const char* subKey, const char* className, DWORD, REGSAM access,
                               SECURITY_ATTRIBUTES*, HKEY* result, DWORD* disposition) {
  bool created = false;
  const LONG error = openOrCreate(Op::Create, parent, subKey, className ? className : "", access, result, &created);
  if (!error && disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return error;
}

LONG MemoryRegistry::openOrCreate(Op op, HKEY parent, const char* subKey, const std::string& className,
                                  REGSAM access, HKEY* result, bool* created) {
  if (LONG fault = hook(op, parent, subKey)) return fault;
  std::shared_ptr<Key> from, key;
  if (LONG error = resolve(parent, from)) return error;
  if (LONG error = walk(from, subKey, op == Op::Create, className, access, key, created)) return error;
  if (key->locked && (access & kLockedRights)) return ERROR_ACCESS_DENIED;
  *result = reinterpret_cast<HKEY>(nextHandle_ += 4);
  handles_[*result] = {key, access};
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::closeKey(HKEY key) {
  return roots_.count(key) || handles_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG MemoryRegistry::deleteKey(HKEY parent, const char* subKey, REGSAM view) {
  if (LONG fault = hook(Op::DeleteKey, parent, subKey)) return fault;
  std::shared_ptr<Key> from, key;
  if (LONG error = resolve(parent, from)) return error;
  if (LONG error = walk(from, subKey, false, "", view, key)) return error;
  auto owner = key->parent.lock();
  if (!owner || !key->children.empty()) return ERROR_ACCESS_DENIED;  // a root, or a key with subkeys
  key->deleted = true;
  owner->children.erase(upper(key->name));
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::deleteValue(HKEY handle, const char* name) {
  std::shared_ptr<Key> key;
  if (LONG error = enter(Op::DeleteValue, handle, KEY_SET_VALUE, key)) return error;
  return key->values.erase(upper(name ? name : "")) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG MemoryRegistry::setValue(HKEY handle, const char* name, DWORD type, const BYTE* data, DWORD size) {
  std::shared_ptr<Key> key;
  if (LONG error = enter(Op::SetValue, handle, KEY_SET_VALUE, key)) return error;
  if (size > 0 && !data) return ERROR_NOACCESS;
  const std::string valueName = name ? name : "";
  key->values[upper(valueName)] = {valueName, StoredValue{type, std::vector<BYTE>(data, data + size)}};
  return ERROR_SUCCESS;
}

// Only this computer is reachable.
LONG MemoryRegistry::connectRegistry(const char* machine, HKEY root, HKEY* result) {
  if (LONG fault = hook(Op::Connect, root)) return fault;
  if (!roots_.count(root)) return ERROR_INVALID_HANDLE;
  if (!machine || !*machine) {
    *result = root;
    return ERROR_SUCCESS;
  }
  const bool reachable = std::any_of(machines_.begin(), machines_.end(),
                                     [&](const std::string& name) { return upper(name) == upper(machine); });
  if (!reachable) return ERROR_BAD_NETPATH;
  *result = reinterpret_cast<HKEY>(nextHandle_ += 4);  // the remote root: closed like any key
  handles_[*result] = {roots_.at(root), KEY_ALL_ACCESS};
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::queryValue(HKEY handle, const char* name, DWORD* type, BYTE* data, DWORD* size) {
  std::shared_ptr<Key> key;
  if (LONG error = enter(Op::QueryValue, handle, KEY_QUERY_VALUE, key)) return error;
  auto found = key->values.find(upper(name ? name : ""));
  if (found == key->values.end()) return ERROR_FILE_NOT_FOUND;
  const StoredValue& stored = found->second.second;
  if (type) *type = stored.type;
  if (!size) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  const DWORD needed = static_cast<DWORD>(stored.data.size());
  const bool fits = !data || *size >= needed;
  if (data && fits && needed) std::memcpy(data, stored.data.data(), needed);
  *size = needed;
  return fits ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

LONG MemoryRegistry::queryInfoKey(HKEY handle, char* className, DWORD* classSize, DWORD* subKeys,
                                  DWORD* maxSubKeyLength, DWORD* maxClassLength, DWORD* values,
                                  DWORD* maxValueNameLength, DWORD* maxValueLength) {
  std::shared_ptr<Key> key;
  if (LONG error = enter(Op::QueryInfo, handle, KEY_QUERY_VALUE, key)) return error;
  const DWORD classLength = static_cast<DWORD>(key->className.size());
  if (className && classSize) {
    // Windows refuses the whole query when the class name doesn't fit the buffer given.
    if (*classSize <= classLength) return *classSize = classLength, ERROR_MORE_DATA;
    std::memcpy(className, key->className.c_str(), classLength + 1);
  }
  if (classSize) *classSize = classLength;
  DWORD longestKey = 0, longestName = 0, longestData = 0;
  for (const auto& child : key->children) longestKey = std::max<DWORD>(longestKey, child.second->name.size());
  for (const auto& entry : key->values) {
    longestName = std::max<DWORD>(longestName, entry.second.first.size());
    longestData = std::max<DWORD>(longestData, entry.second.second.data.size());
  }
  if (subKeys) *subKeys = static_cast<DWORD>(key->children.size());
  if (maxSubKeyLength) *maxSubKeyLength = longestKey;
  if (maxClassLength) *maxClassLength = classLength;
  if (values) *values = static_cast<DWORD>(key->values.size());
  if (maxValueNameLength) *maxValueNameLength = longestName;
  if (maxValueLength) *maxValueLength = longestData;
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::enumValue(HKEY handle, DWORD index, char* name, DWORD* nameSize) {
  std::shared_ptr<Key> key;
  if (LONG error = enter(Op::EnumValue, handle, KEY_QUERY_VALUE, key)) return error;
  if (index >= key->values.size()) return ERROR_NO_MORE_ITEMS;
  const std::string& found = std::next(key->values.begin(), index)->second.first;
  if (LONG error = copyName(found, name, *nameSize)) return error;
  *nameSize = static_cast<DWORD>(found.size());
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::enumKey(HKEY handle, DWORD index, char* name, DWORD nameSize) {
  std::shared_ptr<Key> key;
  if (LONG error = enter(Op::EnumKey, handle, KEY_ENUMERATE_SUB_KEYS, key)) return error;
  if (index >= key->children.size()) return ERROR_NO_MORE_ITEMS;
  return copyName(std::next(key->children.begin(), index)->second->name, name, nameSize);
}

DWORD MemoryRegistry::expandEnvironmentStrings(const char* source, char* destination, DWORD size) {
  return ExpandEnvironmentStringsA(source, destination, size);
}
