#include <algorithm>
#include <limits>

#include "base/AnsiText.h"
#include "registry/clsRegistry.h"

namespace {
// Windows limits a value name to 16383 characters and a key name to 255; in a multi-byte code
// page their ANSI forms may take up to twice as many bytes.
constexpr DWORD kLongestValueName = 2 * 16383 + 1;
constexpr DWORD kLongestKeyName = 2 * 255 + 1;

void countOneMore(int32_t& count) {
  if (count == std::numeric_limits<int32_t>::max()) throw ProgramError("Overflow");
  ++count;
}
}  // namespace

bool clsRegistry::EnumerateValues(std::vector<std::wstring>& sKeyNames, int32_t& iKeyCount) {
  iKeyCount = 0;
  sKeyNames.clear();
  const KeyAddress at(*this);
  RegKeyHandle key(*platform_);
  if (!at.path ||
      platform_->openKey(at.parent, at.path->c_str(), 0, access(KEY_QUERY_VALUE), key.receive()) != ERROR_SUCCESS) {
    return true;
  }
  // No class buffer at all: Windows refuses the query when a key's class name doesn't fit one.
  DWORD longestName = 0;
  if (platform_->queryInfoKey(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                              nullptr) != ERROR_SUCCESS) {
    return true;
  }

  DWORD capacity = longestName + 1;
  for (DWORD index = 0;;) {
    std::string buffer(capacity, '\0');
    DWORD size = capacity;
    const LONG result = platform_->enumValue(key.get(), index, buffer.data(), &size);
    if (result == ERROR_MORE_DATA && capacity < kLongestValueName) {
      capacity = kLongestValueName;  // a longer name arrived since the size was asked for
      continue;
    }
    if (result != ERROR_SUCCESS) break;
    countOneMore(iKeyCount);
    sKeyNames.push_back(fromAnsi(buffer.data(), size < capacity ? size : capacity));
    ++index;
  }
  return true;
}

bool clsRegistry::EnumerateSections(std::vector<std::wstring>& sSect, int32_t& iSectCount) {
  iSectCount = 0;
  sSect.clear();
  const KeyAddress at(*this);  // an unreachable computer is its own error, not a listing's
  RegKeyHandle key(*platform_);
  try {
    if (!at.path ||
        platform_->openKey(at.parent, at.path->c_str(), 0, access(KEY_ENUMERATE_SUB_KEYS), key.receive()) != ERROR_SUCCESS) {
      return true;
    }
    // Room for the longest name Windows allows and its terminator; a name whose ANSI form needs
    // more is asked for again with the largest buffer it can need.
    DWORD capacity = 256;
    for (DWORD index = 0;;) {
      std::string buffer(capacity, '\0');
      const LONG result = platform_->enumKey(key.get(), index, buffer.data(), capacity);
      if (result == ERROR_MORE_DATA && capacity < kLongestKeyName) {
        capacity = kLongestKeyName;
        continue;
      }
      if (result != ERROR_SUCCESS) break;
      countOneMore(iSectCount);
      buffer.resize(std::min<size_t>(buffer.find('\0'), capacity));  // the text before its NUL
      sSect.push_back(fromAnsi(buffer));
      ++index;
    }
    return true;
  } catch (const std::exception& failure) {
    key.reset();
    iSectCount = 0;  // no half listing reaches the caller
    sSect.clear();
    throw RegistryError(RegistryError::kEnumerationFailure, fromAnsi(std::string(failure.what())));
  }
}
