# The driver that works the built program from outside (scripts/driver), and the steps
# scripts/screenshot takes between its pictures; both run beside orvandel.exe.
add_library(orvandel_driver STATIC scripts/driver/Driver.cpp)
target_include_directories(orvandel_driver PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orvandel_driver PUBLIC shlwapi)
target_compile_options(orvandel_driver PRIVATE ${ORVANDEL_WARNINGS})

if(TARGET orvandel)
  add_executable(shot_driver scripts/shot/ShotDriver.cpp)
  target_link_libraries(shot_driver PRIVATE orvandel_driver)
  target_compile_options(shot_driver PRIVATE ${ORVANDEL_WARNINGS})
endif()
