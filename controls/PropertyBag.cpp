#include "controls/PropertyBag.h"

#include <cwchar>

const PropertyBag::Entry* PropertyBag::find(const std::wstring& name) const {
  for (const Entry& entry : entries_) {
    if (_wcsicmp(entry.first.c_str(), name.c_str()) == 0) return &entry;
  }
  return nullptr;
}

Variant PropertyBag::ReadProperty(const std::wstring& name, const Variant& defaultValue) const {
  const Entry* entry = find(name);
  return entry ? entry->second : defaultValue;
}

void PropertyBag::WriteProperty(const std::wstring& name, const Variant& value) {
  for (Entry& entry : entries_) {
    if (_wcsicmp(entry.first.c_str(), name.c_str()) == 0) {
      entry.second = value;
      return;
    }
  }
  entries_.emplace_back(name, value);
}

void PropertyBag::WriteProperty(const std::wstring& name, const Variant& value, const Variant& defaultValue) {
  if (value.sameValue(defaultValue)) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (_wcsicmp(it->first.c_str(), name.c_str()) == 0) {
        entries_.erase(it);
        break;
      }
    }
    return;
  }
  WriteProperty(name, value);
}
