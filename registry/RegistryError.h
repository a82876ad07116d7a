#pragma once
#include <cstdint>
#include <string>

#include "base/ProgramError.h"

// The registry object's error: a number, a source ("<exe name>.cRegistry") and a description.
class RegistryError : public ProgramError {
 public:
  // Object-defined error numbers start at this base.
  static constexpr int32_t kObjectErrorBase = static_cast<int32_t>(0x80040000u);
  static constexpr int32_t kKeyFailure = 26001;
  static constexpr int32_t kWriteFailure = kObjectErrorBase + 27049;
  static constexpr int32_t kEnumerationFailure = kObjectErrorBase + 27050;
  static constexpr int32_t kInvalidParameterList = kObjectErrorBase + 27052;
  static constexpr int32_t kClassNotDefined = kObjectErrorBase + 27053;

  RegistryError(int32_t number, std::wstring description);
  // A system result code (ERROR_ACCESS_DENIED, ...) with the system's own words for it.
  static RegistryError fromSystem(long code);

  int32_t number() const { return number_; }
  const std::wstring& source() const { return source_; }
  const std::wstring& description() const { return description_; }

  // The executable's file name without its extension, followed by ".cRegistry".
  static std::wstring defaultSource();

 private:
  int32_t number_;
  std::wstring source_;
  std::wstring description_;
};
