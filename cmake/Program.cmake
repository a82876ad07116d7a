# orvandel.exe: the entry point, the shared library and the resources (pictures, icon, cursor,
# manifest, version block). The version numbers come from the project's VERSION (CMakeLists.txt).
add_executable(orvandel WIN32 app/WinMain.cpp app/runtime/LeanRuntime.cpp resources/orvandel.rc)
target_link_libraries(orvandel PRIVATE orvandel_core)
target_compile_options(orvandel PRIVATE ${ORVANDEL_WARNINGS})
configure_file(resources/Version.h.in ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY)
file(GLOB ORVANDEL_RESOURCE_FILES ${CMAKE_SOURCE_DIR}/resources/*.bmp
     ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/*.cur ${CMAKE_SOURCE_DIR}/resources/*.manifest
     ${CMAKE_SOURCE_DIR}/resources/words.rc ${CMAKE_SOURCE_DIR}/resources/WordIds.h)
set_property(SOURCE resources/orvandel.rc APPEND PROPERTY OBJECT_DEPENDS ${ORVANDEL_RESOURCE_FILES})
target_include_directories(orvandel PRIVATE ${CMAKE_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}/generated)

# The user's guide that goes beside the shipped program (scripts/release), with this version and
# Windows line ends.
if(ORVANDEL_SHIPPED)
  configure_file(resources/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
endif()

# The shipped program's imports must all exist on Windows XP SP3: Wine exports newer functions
# whatever version it imitates, so only this check catches them.
if(ORVANDEL_SHIPPED)
  enable_testing()
  add_test(NAME ShippedProgram.ImportsExistOnWindowsXP
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:orvandel>
            -DALLOWED=${CMAKE_SOURCE_DIR}/cmake/xp-exports.txt -P ${CMAKE_SOURCE_DIR}/cmake/CheckImports.cmake)
  set_tests_properties(ShippedProgram.ImportsExistOnWindowsXP PROPERTIES LABELS static)
  add_test(NAME ShippedProgram.FitsIn320KiB
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:orvandel> -DLIMIT=327680 -P ${CMAKE_SOURCE_DIR}/cmake/CheckSize.cmake)
  set_tests_properties(ShippedProgram.FitsIn320KiB PROPERTIES LABELS static)
  # Two releases from two folders at two moments: the same bytes (two builds: `ctest -LE release`
  # leaves it out).
  add_test(NAME Release.SameBytesFromAnyFolder COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release-reproducible.sh)
  set_tests_properties(Release.SameBytesFromAnyFolder PROPERTIES LABELS release TIMEOUT 2400)
endif()
