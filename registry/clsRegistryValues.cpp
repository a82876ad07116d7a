#include <cstring>

#include "base/AnsiText.h"
#include "registry/clsRegistry.h"

namespace {
// Text data without its final NUL; data stored without a terminator keeps its last character.
std::string textOf(const std::vector<BYTE>& data) {
  size_t length = data.size();
  if (length > 0 && data[length - 1] == 0) --length;
  return std::string(reinterpret_cast<const char*>(data.data()), length);
}

int32_t longOf(const std::vector<BYTE>& data) {
  uint32_t value = 0;
  if (!data.empty()) std::memcpy(&value, data.data(), data.size() < 4 ? data.size() : 4);  // the first four bytes
  return static_cast<int32_t>(value);
}

constexpr int kReadAttempts = 8;
}  // namespace

Variant clsRegistry::Value() {
  Variant value;
  return TryValue(value) == ERROR_SUCCESS ? value : default_;
}

LONG clsRegistry::TryValue(Variant& vValue) {
  RegKeyHandle remote(*platform_);
  HKEY parent = nullptr;
  if (const LONG reached = reach(true, remote, parent); reached != ERROR_SUCCESS) return reached;

  const auto path = toExactAnsi(sectionKey_);
  const auto name = toExactAnsi(valueKey_);
  if (!path || !name) return ERROR_INVALID_NAME;
  RegKeyHandle key(*platform_);
  if (const LONG opened = platform_->openKey(parent, path->c_str(), 0, access(KEY_QUERY_VALUE), key.receive());
      opened != ERROR_SUCCESS) {
    return opened;
  }

  // Size first, then the data; a value that grows in between is asked for again, never overrun.
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  for (int attempt = 0;; ++attempt) {
    DWORD size = 0;
    LONG result = platform_->queryValue(key.get(), name->c_str(), &type, nullptr, &size);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return result;
    data.assign(size, 0);
    result = platform_->queryValue(key.get(), name->c_str(), &type, data.empty() ? nullptr : data.data(), &size);
    // An empty value asked for without a buffer may have gained data since: ask again.
    if (result == ERROR_SUCCESS && size <= data.size()) {
      data.resize(size);
      break;
    }
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return result;
    if (attempt + 1 == kReadAttempts) return ERROR_MORE_DATA;  // it kept growing: no answer
  }

  valueType_ = static_cast<int32_t>(type);
  switch (type) {
    case REG_SZ:
    case REG_MULTI_SZ: vValue = Variant::text(fromAnsi(textOf(data))); break;
    case REG_EXPAND_SZ: vValue = Variant::text(ExpandEnvironment(textOf(data))); break;
    case REG_DWORD: vValue = Variant::longValue(longOf(data)); break;
    case REG_DWORD_BIG_ENDIAN: vValue = Variant::longValue(ReverseLong(longOf(data))); break;
    default: vValue = Variant::bytes(std::vector<uint8_t>(data.begin(), data.end())); break;
  }
  return ERROR_SUCCESS;
}

Variant clsRegistry::ValueEx(int32_t eClassKey, const std::wstring& sSectionKey, const std::wstring& sValueKey,
                             int32_t eValueType, const Variant& vDefault) {
  ClassKey(eClassKey);
  SectionKey(sSectionKey);
  ValueKey(sValueKey);
  ValueType(eValueType);
  Default(vDefault);
  return Value();
}

void clsRegistry::ValueEx(int32_t eClassKey, const std::wstring& sSectionKey, const std::wstring& sValueKey,
                          int32_t eValueType, const Variant& vDefault, const Variant& vValue) {
  ClassKey(eClassKey);
  SectionKey(sSectionKey);
  ValueKey(sValueKey);
  ValueType(eValueType);
  Default(vDefault);
  if (valueType_ == REG_SZ && vValue.toText().empty()) {
    Value(vDefault);
  } else {
    Value(vValue);
  }
}

LONG clsRegistry::storeBytes(HKEY key, const std::string& name, const Variant& value) {
  if (value.kind() != VariantKind::ByteArray) {
    throw RegistryError(RegistryError::kKeyFailure, L"Application-defined or object-defined error");
  }
  const auto& bytes = value.asBytes().bytes;
  return platform_->setValue(key, name.c_str(), REG_BINARY, bytes.empty() ? nullptr : bytes.data(),
                             static_cast<DWORD>(bytes.size()));
}

LONG clsRegistry::storeLong(HKEY key, const std::string& name, const Variant& value) {
  int32_t number = 0;
  if (value.kind() == VariantKind::Long) {
    number = value.asLong();
  } else if (value.kind() == VariantKind::Integer) {
    number = value.asInteger();
  } else {
    return ERROR_INVALID_DATA;  // nothing stored: the caller reports the failed write
  }
  BYTE data[4];
  std::memcpy(data, &number, 4);  // least significant byte first
  return platform_->setValue(key, name.c_str(), REG_DWORD, data, 4);
}

int32_t clsRegistry::ReverseLong(int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  return static_cast<int32_t>((v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24));
}

std::wstring clsRegistry::ExpandEnvironment(const std::string& text) const {
  DWORD needed = platform_->expandEnvironmentStrings(text.c_str(), nullptr, 0);
  for (int attempt = 0; attempt < kReadAttempts && needed > 0; ++attempt) {
    std::string buffer(needed, '\0');
    const DWORD written = platform_->expandEnvironmentStrings(text.c_str(), buffer.data(), needed);
    if (written == 0) break;
    if (written <= needed) return fromAnsi(buffer.data(), written - 1);
    needed = written;  // the environment changed in between
  }
  return fromAnsi(text);
}
