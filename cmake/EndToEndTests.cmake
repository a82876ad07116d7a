# Programs the end-to-end tests start: a recorder standing in for the browser, and the test program
# that drives the real orvandel.exe (all in the same folder, so each finds the others beside itself).
add_executable(url_recorder tests/e2e/UrlRecorder.cpp)
add_dependencies(orvandel_tests url_recorder)
# A DLL left beside the program under the name of one it loads, in a folder of its own.
add_library(planted_oleacc SHARED tests/e2e/PlantedDll.cpp)
set_target_properties(planted_oleacc PROPERTIES PREFIX "" OUTPUT_NAME oleacc
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
target_link_options(planted_oleacc PRIVATE -Wl,--exclude-all-symbols)
# The same DLL beside the in-process tests under a name no system DLL has.
add_library(beside_tests SHARED tests/e2e/PlantedDll.cpp)
set_target_properties(beside_tests PROPERTIES PREFIX "" OUTPUT_NAME orvandel_beside)
target_link_options(beside_tests PRIVATE -Wl,--exclude-all-symbols)
add_dependencies(orvandel_tests beside_tests)
# A program that meets a failure nobody foresaw, with the program's own runtime parts.
add_executable(unforeseen_failure WIN32 tests/e2e/UnforeseenFailure.cpp app/runtime/LeanRuntime.cpp)
target_include_directories(unforeseen_failure PRIVATE ${CMAKE_SOURCE_DIR})

file(GLOB ORVANDEL_E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*Tests.cpp)
if(ORVANDEL_E2E_SOURCES AND TARGET orvandel)
  add_executable(orvandel_e2e ${ORVANDEL_E2E_SOURCES} resources/words.rc)  # the words it expects
  target_include_directories(orvandel_e2e PRIVATE ${CMAKE_SOURCE_DIR}/resources)
  target_link_libraries(orvandel_e2e PRIVATE orvandel_core orvandel_driver gtest gtest_main ole32 oleacc oleaut32 shlwapi)
  target_compile_options(orvandel_e2e PRIVATE ${ORVANDEL_WARNINGS})
  add_dependencies(orvandel_e2e orvandel url_recorder planted_oleacc unforeseen_failure)
  # They share the prefix's handler key, its http handler and the screen: one at a time.
  gtest_discover_tests(orvandel_e2e DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_FILTER -InLanguage.*
                       PROPERTIES RUN_SERIAL TRUE LABELS e2e)
  # Once in each language the program speaks besides English: Wine takes the user's language from
  # the Linux locale of the process (scripts/bootstrap generates them).
  foreach(locale de_DE fr_FR es_ES ru_RU zh_CN ja_JP it_IT pt_BR pl_PL nl_NL)
    add_test(NAME InLanguage.${locale} COMMAND orvandel_e2e --gtest_filter=InLanguage.*)
    set_tests_properties(InLanguage.${locale} PROPERTIES ENVIRONMENT "LANG=${locale}.UTF-8" RUN_SERIAL TRUE
                         LABELS e2e)
  endforeach()
endif()

