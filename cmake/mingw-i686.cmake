# i686, posix thread model (GoogleTest needs std::mutex): the test build where 32-bit runs.
set(MINGW_PROCESSOR i686)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
