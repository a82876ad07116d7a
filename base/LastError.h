#pragma once
#include <windows.h>

#include <system_error>

// A failed Win32 call as an exception that carries the call's own error code.
[[noreturn]] inline void raiseLastError(const char* what) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}
