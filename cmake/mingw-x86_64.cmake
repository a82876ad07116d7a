# x86_64, posix thread model: the test build where Wine can run only 64-bit programs.
set(MINGW_PROCESSOR x86_64)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
