#pragma once
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "base/Variant.h"

// The stored properties of one control instance on a window. Names match without regard to
// letter case; a write that gives a default leaves the entry out when the value equals it.
class PropertyBag {
 public:
  using Entry = std::pair<std::wstring, Variant>;

  PropertyBag() = default;
  PropertyBag(std::initializer_list<Entry> entries) : entries_(entries) {}

  Variant ReadProperty(const std::wstring& name, const Variant& defaultValue) const;
  void WriteProperty(const std::wstring& name, const Variant& value);
  void WriteProperty(const std::wstring& name, const Variant& value, const Variant& defaultValue);

  bool contains(const std::wstring& name) const { return find(name) != nullptr; }
  // The entries in the order they were written.
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  const Entry* find(const std::wstring& name) const;

  std::vector<Entry> entries_;
};
