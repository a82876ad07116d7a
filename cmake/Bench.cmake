# The long-running load tests (label "load") and the programs scripts/bench measures with.

# Ten thousand switch operations on the real handler key, which the end-to-end tests also use:
# never at the same time as another test.
file(GLOB ORVANDEL_LOAD_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/load/*.cpp)
add_executable(orvandel_load_tests ${ORVANDEL_LOAD_SOURCES} tests/ProcessResources.cpp)
target_link_libraries(orvandel_load_tests PRIVATE orvandel_core gtest gtest_main)
target_compile_options(orvandel_load_tests PRIVATE ${ORVANDEL_WARNINGS})
add_test(NAME Load.SwitchAndAboutWindow COMMAND orvandel_load_tests)
set_tests_properties(Load.SwitchAndAboutWindow PROPERTIES LABELS load RUN_SERIAL TRUE TIMEOUT 600)

# Beside orvandel.exe; the switch timer starts the programs it is given (scripts/bench: shipped, test build).
add_executable(bench_minimal_window WIN32 bench/MinimalWindow.cpp)
# The same with what Orvandel loads first: the shell library and the common controls 6.
add_executable(bench_minimal_libraries WIN32 bench/MinimalWindow.cpp bench/MinimalWindowLibraries.rc)
target_compile_definitions(bench_minimal_libraries PRIVATE ORVANDEL_BENCH_LIBRARIES)
target_include_directories(bench_minimal_libraries PRIVATE ${CMAKE_SOURCE_DIR}/resources)
target_link_libraries(bench_minimal_libraries PRIVATE comctl32)
target_compile_options(bench_minimal_libraries PRIVATE ${ORVANDEL_WARNINGS})
add_executable(bench_launch_timer bench/LaunchTimer.cpp bench/ProbeLog.cpp)
target_include_directories(bench_launch_timer PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_launch_timer PRIVATE psapi)
if(TARGET orvandel)
  add_executable(bench_switch_timer bench/SwitchTimer.cpp bench/ProbeLog.cpp tests/e2e/Driver.cpp)
  target_include_directories(bench_switch_timer PRIVATE ${CMAKE_SOURCE_DIR})
  add_dependencies(bench_switch_timer orvandel)
endif()
foreach(target bench_minimal_window bench_launch_timer bench_switch_timer)
  if(TARGET ${target})
    target_compile_options(${target} PRIVATE ${ORVANDEL_WARNINGS})
  endif()
endforeach()
