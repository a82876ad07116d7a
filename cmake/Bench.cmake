# The programs scripts/bench measures with; none of them is a test.

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
  add_executable(bench_switch_timer bench/SwitchTimer.cpp bench/ProbeLog.cpp)
  target_include_directories(bench_switch_timer PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(bench_switch_timer PRIVATE orvandel_driver)
  add_dependencies(bench_switch_timer orvandel)
endif()
# Ten thousand removes and restores, five hundred About windows: what the process holds.
add_executable(bench_load bench/LoadRun.cpp bench/ProcessResources.cpp resources/words.rc)
target_link_libraries(bench_load PRIVATE orvandel_core psapi)
foreach(target bench_minimal_window bench_launch_timer bench_switch_timer bench_load)
  if(TARGET ${target})
    target_compile_options(${target} PRIVATE ${ORVANDEL_WARNINGS})
  endif()
endforeach()
