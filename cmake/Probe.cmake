# Copies of the program and of the minimal window with bench/Probe.cpp linked in: they record when
# their code starts, which DLLs load later, when each window is made and painted; scripts/bench
# prints that as the steps of the start-up and of the switch. Built only on request, never shipped.
add_executable(orvandel_probe WIN32 EXCLUDE_FROM_ALL app/WinMain.cpp app/runtime/LeanRuntime.cpp
               resources/orvandel.rc bench/Probe.cpp)
target_link_libraries(orvandel_probe PRIVATE orvandel_core)
target_include_directories(orvandel_probe PRIVATE ${CMAKE_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}/generated)
add_executable(bench_minimal_window_probe WIN32 EXCLUDE_FROM_ALL bench/MinimalWindow.cpp bench/Probe.cpp)
add_executable(bench_minimal_libraries_probe WIN32 EXCLUDE_FROM_ALL bench/MinimalWindow.cpp
               bench/MinimalWindowLibraries.rc bench/Probe.cpp)
target_compile_definitions(bench_minimal_libraries_probe PRIVATE ORVANDEL_BENCH_LIBRARIES)
target_include_directories(bench_minimal_libraries_probe PRIVATE ${CMAKE_SOURCE_DIR}/resources)
target_link_libraries(bench_minimal_libraries_probe PRIVATE comctl32)
foreach(target orvandel_probe bench_minimal_window_probe bench_minimal_libraries_probe)
  target_compile_options(${target} PRIVATE ${ORVANDEL_WARNINGS})
endforeach()
