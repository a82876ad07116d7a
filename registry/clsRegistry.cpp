#include "registry/clsRegistry.h"

#include "base/AnsiText.h"
#include "base/NumberText.h"

namespace {
// How a value reads in an error description; never throws, whatever the value holds.
std::wstring describeValue(const Variant& value) {
  if (value.kind() == VariantKind::Null) return L"Null";
  if (value.kind() == VariantKind::ByteArray) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text;
    for (uint8_t b : value.asBytes().bytes) {
      if (!text.empty()) text += L' ';
      text += digits[b >> 4];
      text += digits[b & 15];
    }
    return text;
  }
  return value.toText();
}
}  // namespace

void clsRegistry::Machine(const std::wstring& sMachine) {
  if (sMachine.size() < 3) {
    machine_.clear();
  } else if (sMachine.compare(0, 2, L"\\\\") != 0) {
    machine_ = L"\\\\" + sMachine;
  } else {
    machine_ = sMachine;
  }
}

bool clsRegistry::KeyExists() const { return TryOpenKey() == ERROR_SUCCESS; }

LONG clsRegistry::TryOpenKey() const {
  const KeyAddress at(*this);
  RegKeyHandle key(*platform_);
  return at.path ? platform_->openKey(at.parent, at.path->c_str(), 0, access(KEY_QUERY_VALUE), key.receive())
                 : ERROR_INVALID_NAME;
}

bool clsRegistry::CreateKey() {
  const KeyAddress at(*this);
  RegKeyHandle key(*platform_);
  if (!at.path || createSection(at.parent, *at.path, key) != ERROR_SUCCESS) {
    throw RegistryError(RegistryError::kKeyFailure, L"Failed to create registry Key: '" + sectionKey_);
  }
  return true;
}

bool clsRegistry::DeleteKey() {
  const KeyAddress at(*this);
  if (!at.path || platform_->deleteKey(at.parent, at.path->c_str(), access(0)) != ERROR_SUCCESS) {
    throw RegistryError(RegistryError::kKeyFailure, L"Failed to delete registry Key: '" + keyDescription());
  }
  return true;
}

bool clsRegistry::DeleteValue() {
  const KeyAddress at(*this);
  RegKeyHandle key(*platform_);
  if (!at.path ||
      platform_->openKey(at.parent, at.path->c_str(), 0, access(kKeySpecificRights), key.receive()) != ERROR_SUCCESS) {
    throw RegistryError(RegistryError::kKeyFailure,
                        L"Failed to open key '" + keyDescription() + L"' for delete access");
  }
  const auto name = toExactAnsi(valueKey_);
  const LONG result = name ? platform_->deleteValue(key.get(), name->c_str()) : ERROR_INVALID_NAME;
  key.reset();
  if (result != ERROR_SUCCESS) {
    throw RegistryError(RegistryError::kKeyFailure,
                        L"Failed to delete registry Key: '" + keyDescription() + L"',Key: '" + valueKey_);
  }
  return true;
}

clsRegistry::KeyAddress::KeyAddress(const clsRegistry& registry) : remote(*registry.platform_) {
  registry.reach(false, remote, parent);
  path = toExactAnsi(registry.sectionKey_);
}

LONG clsRegistry::reach(bool valueOperation, RegKeyHandle& remote, HKEY& parent) const {
  parent = root();
  if (machine_.empty() || !(valueOperation || keysOnMachine_)) return ERROR_SUCCESS;
  const auto machine = toExactAnsi(machine_);
  const LONG result =
      machine ? platform_->connectRegistry(machine->c_str(), parent, remote.receive()) : ERROR_BAD_NETPATH;
  if (result == ERROR_SUCCESS) {
    parent = remote.get();
  } else if (keysOnMachine_) {
    throw RegistryError::fromSystem(result);
  }
  return result;
}

void clsRegistry::Value(const Variant& vValue) {
  const Variant copy = vValue;
  RegKeyHandle remote(*platform_);
  HKEY parent = nullptr;
  // A write that can't reach the named computer has stored nothing: say so.
  if (reach(true, remote, parent) != ERROR_SUCCESS) raiseWriteFailure(RegistryError::kWriteFailure, copy);

  const auto path = toExactAnsi(sectionKey_);
  RegKeyHandle key(*platform_);
  if (!path || createSection(parent, *path, key) != ERROR_SUCCESS) {
    raiseWriteFailure(RegistryError::kKeyFailure, copy);
  }

  const auto name = toExactAnsi(valueKey_);
  LONG result = ERROR_INVALID_NAME;
  if (name) {
    switch (valueType_) {
      case REG_SZ:
      case REG_EXPAND_SZ: result = storeText(key.get(), *name, copy); break;
      case REG_BINARY: result = storeBytes(key.get(), *name, copy); break;
      case REG_DWORD:
      case REG_DWORD_BIG_ENDIAN: result = storeLong(key.get(), *name, copy); break;
      default: result = ERROR_INVALID_DATA; break;
    }
  }
  if (result != ERROR_SUCCESS) raiseWriteFailure(RegistryError::kWriteFailure, copy);
}

LONG clsRegistry::createSection(HKEY parent, const std::string& path, RegKeyHandle& key) const {
  SECURITY_ATTRIBUTES security = {};
  DWORD disposition = 0;
  return platform_->createKey(parent, path.c_str(), "", REG_OPTION_NON_VOLATILE, access(kKeySpecificRights), &security,
                              key.receive(), &disposition);
}

LONG clsRegistry::storeText(HKEY key, const std::string& name, const Variant& value) {
  const std::wstring text = value.toText();
  // A reference such as %windir% needs a character between its two percent signs.
  const size_t first = text.find(L'%');
  const bool expandable = first != std::wstring::npos && text.find(L'%', first + 2) != std::wstring::npos;

  // Text that has no exact ANSI form would be stored as something else.
  const auto data = toExactAnsi(text, EmbeddedNul::Keep);
  if (!data) return ERROR_NO_UNICODE_TRANSLATION;
  return platform_->setValue(key, name.c_str(), expandable ? REG_EXPAND_SZ : REG_SZ,
                             reinterpret_cast<const BYTE*>(data->c_str()), static_cast<DWORD>(data->size() + 1));
}

std::wstring clsRegistry::keyDescription() const {
  return decimalText(classKey_) + L"',Section: '" + sectionKey_;
}

void clsRegistry::raiseWriteFailure(int32_t number, const Variant& value) const {
  throw RegistryError(number, L"Failed to set registry value Key: '" + keyDescription() + L"',Key: '" +
                                  valueKey_ + L"' to value: '" + describeValue(value) + L"'");
}
