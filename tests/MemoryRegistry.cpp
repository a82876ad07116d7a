#include "tests/MemoryRegistry.h"

#include <algorithm>
#include <cstring>

struct MemoryRegistry::Key {
  std::string name;
  std::string className;
  std::weak_ptr<Key> parent;
  bool deleted = false;
  std::map<std::string, std::shared_ptr<Key>> children;                   // by upper-case name: sorted
  std::map<std::string, std::pair<std::string, StoredValue>> values;      // by upper-case name
};

namespace {
constexpr size_t kMaxValueNameLength = 16383;  // characters; measured under Wine 8.0

std::vector<std::string> splitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}
}  // namespace

MemoryRegistry::MemoryRegistry() {
  const std::pair<HKEY, const char*> roots[] = {
      {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"}, {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
      {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}, {HKEY_USERS, "HKEY_USERS"},
      {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}};
  for (const auto& [handle, name] : roots) {
    auto key = std::make_shared<Key>();
    key->name = name;
    roots_[handle] = key;
  }
}

MemoryRegistry::~MemoryRegistry() = default;

// As the system compares and sorts names: every letter in upper case, not only ASCII ones (in
// UTF-16, written big-endian so that the bytes sort as the characters do).
std::string MemoryRegistry::upper(std::string text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  std::string key;
  for (wchar_t c : wide) {
    key += static_cast<char>(c >> 8);
    key += static_cast<char>(c & 0xFF);
  }
  return key;
}

LONG MemoryRegistry::resolve(HKEY handle, std::shared_ptr<Key>& key, REGSAM* access) const {
  if (auto root = roots_.find(handle); root != roots_.end()) {
    key = root->second;
    if (access) *access = KEY_ALL_ACCESS;
    return ERROR_SUCCESS;
  }
  auto open = handles_.find(handle);
  if (open == handles_.end()) return ERROR_INVALID_HANDLE;
  if (open->second.key->deleted) return ERROR_KEY_DELETED;
  key = open->second.key;
  if (access) *access = open->second.access;
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::walk(const std::shared_ptr<Key>& from, const char* path, bool create,
                          const std::string& className, std::shared_ptr<Key>& found, bool* created) {
  const std::string text = path ? path : "";
  if (!text.empty() && text[0] == '\\') return ERROR_BAD_PATHNAME;
  // The narrow calls convert a path into a buffer of MAX_PATH + 1 characters (measured on Wine).
  if (text.size() > MAX_PATH) return ERROR_MORE_DATA;
  std::shared_ptr<Key> key = from;
  if (created) *created = false;
  for (const std::string& part : splitPath(text)) {
    auto child = key->children.find(upper(part));
    if (child != key->children.end()) {
      key = child->second;
      continue;
    }
    if (!create) return ERROR_FILE_NOT_FOUND;
    auto made = std::make_shared<Key>();
    made->name = part;
    made->parent = key;
    key->children[upper(part)] = made;
    key = made;
    if (created) *created = true;
  }
  if (created && *created) key->className = className;
  found = key;
  return ERROR_SUCCESS;
}

std::string MemoryRegistry::pathOf(const std::shared_ptr<Key>& key) const {
  std::string path = key->name;
  for (auto parent = key->parent.lock(); parent; parent = parent->parent.lock()) path = parent->name + "\\" + path;
  return path;
}

LONG MemoryRegistry::hook(Op op, HKEY parent, const char* subKey) {
  ++calls_;
  if (!hook_) return ERROR_SUCCESS;
  std::shared_ptr<Key> key;
  std::string path;
  if (resolve(parent, key) == ERROR_SUCCESS) path = pathOf(key);
  for (const std::string& part : splitPath(subKey ? subKey : "")) path += "\\" + part;
  return hook_(op, path);
}

HKEY MemoryRegistry::newHandle(std::shared_ptr<Key> key, REGSAM access) {
  HKEY handle = reinterpret_cast<HKEY>(nextHandle_);
  nextHandle_ += 4;
  handles_[handle] = Handle{std::move(key), access};
  return handle;
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::find(HKEY root, const std::string& path) const {
  auto top = roots_.find(root);
  if (top == roots_.end()) return nullptr;
  std::shared_ptr<Key> key = top->second;
  for (const std::string& part : splitPath(path)) {
    auto child = key->children.find(upper(part));
    if (child == key->children.end()) return nullptr;
    key = child->second;
  }
  return key;
}

bool MemoryRegistry::keyExists(HKEY root, const std::string& path) const { return find(root, path) != nullptr; }

void MemoryRegistry::putKey(HKEY root, const std::string& path, const std::string& className) {
  std::shared_ptr<Key> key;
  walk(roots_.at(root), path.c_str(), true, className, key);
}

void MemoryRegistry::putValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                              std::vector<BYTE> data) {
  std::shared_ptr<Key> key;
  walk(roots_.at(root), path.c_str(), true, "", key);
  key->values[upper(name)] = {name, StoredValue{type, std::move(data)}};
}

std::optional<MemoryRegistry::StoredValue> MemoryRegistry::value(HKEY root, const std::string& path,
                                                                 const std::string& name) const {
  auto key = find(root, path);
  if (!key) return std::nullopt;
  auto found = key->values.find(upper(name));
  if (found == key->values.end()) return std::nullopt;
  return found->second.second;
}

void MemoryRegistry::removeKeyTree(HKEY root, const std::string& path) {
  auto key = find(root, path);
  if (!key) return;
  std::function<void(Key&)> markDeleted = [&](Key& k) {
    k.deleted = true;
    for (auto& [name, child] : k.children) markDeleted(*child);
  };
  markDeleted(*key);
  if (auto parent = key->parent.lock()) parent->children.erase(upper(key->name));
}

LONG MemoryRegistry::openKey(HKEY parent, const char* subKey, DWORD, REGSAM access, HKEY* result) {
  if (LONG fault = hook(Op::Open, parent, subKey)) return fault;
  std::shared_ptr<Key> from, key;
  if (LONG error = resolve(parent, from)) return error;
  if (LONG error = walk(from, subKey, false, "", key)) return error;
  *result = newHandle(key, access);
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::createKey(HKEY parent, const char* subKey, const char* className, DWORD, REGSAM access,
                               SECURITY_ATTRIBUTES*, HKEY* result, DWORD* disposition) {
  if (LONG fault = hook(Op::Create, parent, subKey)) return fault;
  std::shared_ptr<Key> from, key;
  if (LONG error = resolve(parent, from)) return error;
  bool created = false;
  if (LONG error = walk(from, subKey, true, className ? className : "", key, &created)) return error;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = newHandle(key, access);
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::closeKey(HKEY key) {
  ++calls_;
  if (roots_.count(key)) return ERROR_SUCCESS;
  return handles_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG MemoryRegistry::deleteKey(HKEY parent, const char* subKey) {
  if (LONG fault = hook(Op::DeleteKey, parent, subKey)) return fault;
  std::shared_ptr<Key> from, key;
  if (LONG error = resolve(parent, from)) return error;
  if (LONG error = walk(from, subKey, false, "", key)) return error;
  auto owner = key->parent.lock();
  if (!owner || !key->children.empty()) return ERROR_ACCESS_DENIED;  // a root, or a key with subkeys
  key->deleted = true;
  owner->children.erase(upper(key->name));
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::deleteValue(HKEY handle, const char* name) {
  if (LONG fault = hook(Op::DeleteValue, handle, nullptr)) return fault;
  std::shared_ptr<Key> key;
  REGSAM access = 0;
  if (LONG error = resolve(handle, key, &access)) return error;
  if (!(access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  return key->values.erase(upper(name ? name : "")) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG MemoryRegistry::setValue(HKEY handle, const char* name, DWORD type, const BYTE* data, DWORD size) {
  if (LONG fault = hook(Op::SetValue, handle, nullptr)) return fault;
  std::shared_ptr<Key> key;
  REGSAM access = 0;
  if (LONG error = resolve(handle, key, &access)) return error;
  if (!(access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (size > 0 && !data) return ERROR_NOACCESS;
  const std::string valueName = name ? name : "";
  if (valueName.size() > kMaxValueNameLength) return ERROR_INVALID_PARAMETER;
  key->values[upper(valueName)] = {valueName, StoredValue{type, std::vector<BYTE>(data, data + size)}};
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::connectRegistry(const char* machine, HKEY root, HKEY* result) {
  if (LONG fault = hook(Op::Connect, root, nullptr)) return fault;
  if (!roots_.count(root)) return ERROR_INVALID_HANDLE;
  if (!machine || !*machine) {
    *result = root;
    return ERROR_SUCCESS;
  }
  if (!machines_.count(upper(machine))) return ERROR_BAD_NETPATH;
  *result = newHandle(roots_.at(root), KEY_ALL_ACCESS);
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::queryValue(HKEY handle, const char* name, DWORD* type, BYTE* data, DWORD* size) {
  if (LONG fault = hook(Op::QueryValue, handle, nullptr)) return fault;
  std::shared_ptr<Key> key;
  REGSAM access = 0;
  if (LONG error = resolve(handle, key, &access)) return error;
  if (!(access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  auto found = key->values.find(upper(name ? name : ""));
  if (found == key->values.end()) return ERROR_FILE_NOT_FOUND;
  const StoredValue& stored = found->second.second;
  const std::vector<BYTE>& bytes = stored.data;
  if (type) *type = stored.type;
  if (!size) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  const DWORD needed = static_cast<DWORD>(bytes.size());
  if (data && *size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  if (data && needed) std::memcpy(data, bytes.data(), needed);
  *size = needed;
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::queryInfoKey(HKEY handle, char* className, DWORD* classSize, DWORD* subKeys,
                                  DWORD* maxSubKeyLength, DWORD* maxClassLength, DWORD* values,
                                  DWORD* maxValueNameLength, DWORD* maxValueLength) {
  if (LONG fault = hook(Op::QueryInfo, handle, nullptr)) return fault;
  std::shared_ptr<Key> key;
  REGSAM access = 0;
  if (LONG error = resolve(handle, key, &access)) return error;
  if (!(access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  const DWORD classLength = static_cast<DWORD>(key->className.size());
  if (className && classSize) {
    if (*classSize > classLength) {
      std::memcpy(className, key->className.c_str(), classLength + 1);
    } else if (strictClassQuery_) {
      *classSize = classLength;
      return ERROR_MORE_DATA;
    }
  }
  if (classSize) *classSize = classLength;
  DWORD longestKey = 0, longestName = 0, longestData = 0;
  for (const auto& [upperName, child] : key->children) longestKey = std::max<DWORD>(longestKey, child->name.size());
  for (const auto& [upperName, entry] : key->values) {
    longestName = std::max<DWORD>(longestName, entry.first.size());
    longestData = std::max<DWORD>(longestData, entry.second.data.size());
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
  if (LONG fault = hook(Op::EnumValue, handle, nullptr)) return fault;
  std::shared_ptr<Key> key;
  REGSAM access = 0;
  if (LONG error = resolve(handle, key, &access)) return error;
  if (!(access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  if (index >= key->values.size()) return ERROR_NO_MORE_ITEMS;
  const std::string& found = std::next(key->values.begin(), index)->second.first;
  if (found.size() + 1 > *nameSize) return ERROR_MORE_DATA;
  std::memcpy(name, found.c_str(), found.size() + 1);
  *nameSize = static_cast<DWORD>(found.size());
  return ERROR_SUCCESS;
}

LONG MemoryRegistry::enumKey(HKEY handle, DWORD index, char* name, DWORD nameSize) {
  if (LONG fault = hook(Op::EnumKey, handle, nullptr)) return fault;
  std::shared_ptr<Key> key;
  REGSAM access = 0;
  if (LONG error = resolve(handle, key, &access)) return error;
  if (!(access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
  if (index >= key->children.size()) return ERROR_NO_MORE_ITEMS;
  const std::string& found = std::next(key->children.begin(), index)->second->name;
  if (found.size() + 1 > nameSize) return ERROR_MORE_DATA;
  std::memcpy(name, found.c_str(), found.size() + 1);
  return ERROR_SUCCESS;
}

DWORD MemoryRegistry::expandEnvironmentStrings(const char* source, char* destination, DWORD size) {
  std::string text = source, out;
  for (size_t i = 0; i < text.size();) {
    const size_t close = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
    if (close != std::string::npos) {
      auto found = environment_.find(upper(text.substr(i + 1, close - i - 1)));
      if (found != environment_.end()) {
        out += found->second;
        i = close + 1;
        continue;
      }
    }
    out += text[i++];
  }
  const DWORD needed = static_cast<DWORD>(out.size() + 1);
  if (destination && size >= needed) std::memcpy(destination, out.c_str(), needed);
  return needed;
}
