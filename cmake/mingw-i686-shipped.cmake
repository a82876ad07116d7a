# The shipped program: i686 with the win32 thread model, whose runtime imports nothing newer than
# Windows XP (the posix model's winpthreads imports GetTickCount64).
set(MINGW_PROCESSOR i686)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
