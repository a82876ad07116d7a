// Parts of the C++ runtime that the program links in its own smaller form. Only orvandel.exe
// links this file (cmake/Program.cmake); the tests keep the library's own.
#include <windows.h>

#include <string>

#include "app/ScriptedSwitch.h"

// The library's handler writes the uncaught exception's demangled type to the standard error,
// which a window program does not have, and brings the demangler with it (about 60 KB with its
// printf). The library's handlers end the program with abort(), whose box ("abnormal program
// termination") would hold an unattended script, and whose exit code 3 reads as "absent": these
// end it at once with the code that means no answer.
namespace {
[[noreturn]] void endWithoutAnswer() {
  TerminateProcess(GetCurrentProcess(), kExitNoAnswer);
  ExitProcess(kExitNoAnswer);  // not reached
}
}  // namespace

namespace __gnu_cxx {
void __verbose_terminate_handler() { endWithoutAnswer(); }
}  // namespace __gnu_cxx

// A failed container check (_GLIBCXX_ASSERTIONS, CMakeLists.txt).
namespace std {
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept { endWithoutAnswer(); }
}  // namespace std

// The library's exception classes use these three members of std::string; made here, they keep
// its whole instantiation of std::string (about 31 KB) out of the program.
template int std::string::compare(const char*) const;
template void std::string::_M_assign(const std::string&);
template std::string::pointer std::string::_M_create(std::string::size_type&, std::string::size_type);

// The errors the library's containers raise (a length past their largest, a position past their
// end) as the program's error type: the library's own would bring its old-ABI string with it.
// Memory running out stays std::bad_alloc, defined here only because the library keeps these
// throwers in one object with the others.
#include <new>

#include "base/ProgramError.h"
namespace std {
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_length_error(const char* what) { throw ProgramError(what); }
void __throw_logic_error(const char* what) { throw ProgramError(what); }
void __throw_out_of_range(const char* what) { throw ProgramError(what); }
void __throw_out_of_range_fmt(const char* what, ...) { throw ProgramError(what); }
void __throw_invalid_argument(const char* what) { throw ProgramError(what); }
}  // namespace std
