# The programs scripts/bench measures with; none of them is a test.

# Beside orvandel.exe (the switch timer starts it from its own folder, as the end-to-end driver does).
add_executable(bench_minimal_window WIN32 bench/MinimalWindow.cpp)
add_executable(bench_launch_timer bench/LaunchTimer.cpp)
target_link_libraries(bench_launch_timer PRIVATE psapi)
if(TARGET orvandel)
  add_executable(bench_switch_timer bench/SwitchTimer.cpp)
  target_link_libraries(bench_switch_timer PRIVATE orvandel_driver)
  add_dependencies(bench_switch_timer orvandel)
endif()
# Ten thousand removes and restores, five hundred About windows: what the process holds.
add_executable(bench_load bench/LoadRun.cpp bench/ProcessResources.cpp)
target_link_libraries(bench_load PRIVATE orvandel_core psapi)
foreach(target bench_minimal_window bench_launch_timer bench_switch_timer bench_load)
  if(TARGET ${target})
    target_compile_options(${target} PRIVATE ${ORVANDEL_WARNINGS})
  endif()
endforeach()
