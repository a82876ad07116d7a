# GoogleTest, built with the cross toolchain; CTest runs every test program under Wine.
enable_testing()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# write_wine_run(NAME PREFIX ARCH LOADER [SETUP]): a script NAME in the build folder that runs a
# program under Wine in the private prefix PREFIX (WINEARCH ARCH), after the shell line SETUP.
function(write_wine_run name prefix arch loader)
  file(WRITE ${CMAKE_BINARY_DIR}/${name}
"#!/bin/sh
export WINEPREFIX=\"${prefix}\"
export WINEARCH=${arch} WINEDEBUG=\${WINEDEBUG:--all} WINEDLLOVERRIDES=\"mscoree,mshtml=\"
${ARGN}
exec ${loader} \"$@\"
")
  file(CHMOD ${CMAKE_BINARY_DIR}/${name} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
       WORLD_READ WORLD_EXECUTE)
endfunction()

# The emulator: Wine with this build's private prefix, so ctest works without any exported setup.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  write_wine_run(wine-run "\${WINEPREFIX:-${CMAKE_BINARY_DIR}/wineprefix}" win32 /usr/lib/wine/wine)
else()
  write_wine_run(wine-run "\${WINEPREFIX:-${CMAKE_BINARY_DIR}/wineprefix}" win64 /usr/lib/wine/wine64)
endif()
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

# The registry's two views, as 64-bit Windows shows them to a 32-bit program: the i686 build runs
# these in a 64-bit prefix of this build's own, made on first use (Wine runs it there under WoW64,
# with Windows 7's redirection); an x86_64 build in its usual prefix, where it meets one view.
add_executable(orvandel_wow64_tests tests/wow64/RegistryViewTests.cpp)
target_link_libraries(orvandel_wow64_tests PRIVATE orvandel_core gtest gtest_main)
target_compile_options(orvandel_wow64_tests PRIVATE ${ORVANDEL_WARNINGS})
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  write_wine_run(wine64-run ${CMAKE_BINARY_DIR}/wineprefix64 win64 /usr/lib/wine/wine64
    "[ -f \"$WINEPREFIX/.orvandel-ready\" ] || { /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 &&
      /usr/lib/wine/wineserver -w && touch \"$WINEPREFIX/.orvandel-ready\"; }")
  set_target_properties(orvandel_wow64_tests PROPERTIES CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine64-run)
endif()
# The first listing may make the prefix (half a minute on a busy machine).
gtest_discover_tests(orvandel_wow64_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 180)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e)
  include(cmake/EndToEndTests.cmake)
endif()
