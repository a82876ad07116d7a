#pragma once
// What a program built with bench/Probe.cpp recorded (PROGRAM.exe.probe), read by the timers.
#include <windows.h>

#include <string>
#include <vector>

namespace probe {

struct Event {
  double ms;           // since the timer's own moment (its performance counter, as the probe's)
  std::string kind;    // entry, dll, create, wm_create-begin, paint-end, show, command-begin, ...
  std::string window;  // the window handle as written, or the DLL's name
  std::string name;    // class, class#id for a child, or the DLL's image size
};

struct Log {
  std::vector<Event> events;            // in the order recorded
  std::vector<std::string> modules;     // "name size" of every module at the program's end
  bool read = false;
};

// The file's path for a program; deleted before a run, so a stale one is never read.
std::string fileFor(const std::string& program);
Log read(const std::string& program, LARGE_INTEGER since);
double millisecondsSince(LARGE_INTEGER since);

}  // namespace probe
