#pragma once
#include <windows.h>

#include "base/ProgramError.h"

// A failed Win32 call as an exception that carries the call's own error code.
[[noreturn]] inline void raiseLastError(const char* what) { throw SystemError(GetLastError(), what); }
