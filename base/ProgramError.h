#pragma once
#include <windows.h>

#include <exception>
#include <string>
#include <utility>

// What the program's own errors have in common: the message what() gives. Derived from
// std::exception alone: the library's runtime_error keeps its message in a string of the old
// library ABI, whose code (57 KB of the shipped program) would come along with it.
class ProgramError : public std::exception {
 public:
  explicit ProgramError(std::string what) : what_(std::move(what)) {}
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::string what_;
};

// A Win32 call that failed, with the error code it left (GetLastError).
class SystemError : public ProgramError {
 public:
  SystemError(DWORD code, const char* call) : ProgramError(std::string(call) + ": error " + std::to_string(code)), code_(code) {}
  DWORD code() const { return code_; }

 private:
  DWORD code_;
};
