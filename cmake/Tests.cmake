# GoogleTest, built with the cross toolchain; CTest runs every test program under Wine.
enable_testing()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# The emulator: Wine with this build's private prefix, so ctest works without any exported setup.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(ORVANDEL_WINE_LOADER /usr/lib/wine/wine)
  set(ORVANDEL_WINEARCH win32)
else()
  set(ORVANDEL_WINE_LOADER /usr/lib/wine/wine64)
  set(ORVANDEL_WINEARCH win64)
endif()
file(WRITE ${CMAKE_BINARY_DIR}/wine-run
"#!/bin/sh
export WINEPREFIX=\"\${WINEPREFIX:-${CMAKE_BINARY_DIR}/wineprefix}\"
export WINEARCH=${ORVANDEL_WINEARCH} WINEDEBUG=\${WINEDEBUG:--all} WINEDLLOVERRIDES=\"mscoree,mshtml=\"
exec ${ORVANDEL_WINE_LOADER} \"$@\"
")
file(CHMOD ${CMAKE_BINARY_DIR}/wine-run PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# In-process tests: every tests/*.cpp (the end-to-end programs live in tests/e2e/).
file(GLOB ORVANDEL_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
# The bench's count of the process's handles too: the registry tests check that nothing stays open;
# and the words: the windows take theirs from the running program's tables.
add_executable(orvandel_tests ${ORVANDEL_TEST_SOURCES} bench/ProcessResources.cpp resources/pictures.rc resources/words.rc)
set_property(SOURCE resources/words.rc APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/WordIds.h)
target_include_directories(orvandel_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources)
file(GLOB ORVANDEL_PICTURE_FILES ${CMAKE_SOURCE_DIR}/resources/*.bmp)
set_property(SOURCE resources/pictures.rc APPEND PROPERTY OBJECT_DEPENDS ${ORVANDEL_PICTURE_FILES})
# oleacc (and oleaut32 for its texts): the tests ask the windows for what a screen reader hears;
# the program itself loads it only when a reader first asks.
target_link_libraries(orvandel_tests PRIVATE orvandel_core orvandel_driver gtest gtest_main shlwapi psapi oleacc oleaut32)
target_compile_options(orvandel_tests PRIVATE ${ORVANDEL_WARNINGS})
gtest_discover_tests(orvandel_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e)
  include(cmake/EndToEndTests.cmake)
endif()
