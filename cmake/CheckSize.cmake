# Fails when PROGRAM is larger than LIMIT bytes (its pictures are inside it).
cmake_minimum_required(VERSION 3.20)
file(SIZE ${PROGRAM} size)
math(EXPR kib "(${size} + 1023) / 1024")
if(size GREATER LIMIT)
  message(FATAL_ERROR "${PROGRAM} is ${size} bytes (${kib} KiB), more than ${LIMIT}")
endif()
message(STATUS "${size} bytes (${kib} KiB), at most ${LIMIT}")
