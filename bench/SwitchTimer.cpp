// One remove and one restore of the handler key, three ways, in turn, in the same Wine prefix:
//  - through Orvandel's window (already open): Start, the box answered, Start, the box answered,
//    for each program given (the shipped build, the test build, ...);
//  - Wine's reg.exe: "reg delete" then "reg add";
//  - regedit /s importing a .reg file that deletes the key, then one that adds it.
//   bench_switch_timer RUNS REMOVE.REG RESTORE.REG LABEL=PROGRAM...
// Every step is checked against the registry. Prints one line per program and round, and one for
// the two peers; a program built with bench/Probe.cpp also gets a "toggle" line per press.
//
// The driver looks for the box, and for the window resynchronised and repainted, every quarter
// millisecond, and answers the box as soon as it sees it shown and painted. Each sighting is at
// most "late" after the moment it became true (the time since the previous look began; a look at
// the window's state waits while the program is busy, so that bound is loose); the figures
// include that latency, and print the largest of each round.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "scripts/driver/Driver.h"
#include "scripts/driver/HandlerKey.h"

#include "bench/ProbeLog.h"

namespace {
const char kKey[] = "HKCR\\SystemFileAssociations\\.avi\\shellex\\PropertyHandler";

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceCounter(&start_); }
  double milliseconds() const { return probe::millisecondsSince(start_); }
  LARGE_INTEGER origin() const { return start_; }

 private:
  LARGE_INTEGER start_;
};

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "bench_switch_timer: %s\n", what);
  std::exit(1);
}

void expectHandler(bool present, const char* after) {
  if (driver::handlerState() != (present ? "type 1: " + handler::kClassIdStored : "no key")) {
    std::fprintf(stderr, "bench_switch_timer: the key is not as it should be after %s\n", after);
    std::exit(1);
  }
}

// Runs a command line to its end (half a minute at most).
void run(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    fail(("cannot start " + command).c_str());
  }
  const bool ended = WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (!ended) fail(("did not end: " + command).c_str());
}

// A quarter of a millisecond; Sleep's finest step is a whole one.
void pause() {
  using Delay = LONG(NTAPI*)(BOOLEAN alertable, const LARGE_INTEGER* interval);
  static const auto delay = reinterpret_cast<Delay>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDelayExecution")));
  LARGE_INTEGER interval;
  interval.QuadPart = -2500;  // 100 ns units, relative
  if (delay) {
    delay(FALSE, &interval);
  } else {
    Sleep(0);
  }
}

struct Sighting {
  double at = 0;      // ms on the round's stopwatch
  double lateBy = 0;  // at most this long after it became true
};

template <typename Seen>
Sighting watchFor(const Stopwatch& clock, Seen seen, const char* what) {
  double previousLook = clock.milliseconds();
  const double deadline = previousLook + 20000;
  for (;;) {
    const double look = clock.milliseconds();
    if (seen()) {
      const double at = clock.milliseconds();
      return {at, at - previousLook};
    }
    if (look > deadline) fail(what);
    previousLook = look;
    pause();
  }
}

HWND boxOf(DWORD process) {
  for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr); box;
       box = FindWindowExA(nullptr, box, "#32770", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(box, &owner);
    if (owner == process && IsWindowVisible(box)) return box;
  }
  return nullptr;
}

BOOL CALLBACK noteUnpainted(HWND child, LPARAM painted) {
  if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(painted) = false;
  return TRUE;
}

bool painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool all = true;
  EnumChildWindows(window, noteUnpainted, reinterpret_cast<LPARAM>(&all));
  return all;
}

bool checked(HWND button) {
  DWORD_PTR state = 0;
  return SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &state) && state == BST_CHECKED;
}

class Program {
 public:
  explicit Program(const std::string& path) {
    std::string command = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) {
      fail(("cannot start " + path).c_str());
    }
    WaitForInputIdle(info_.hProcess, 20000);
    if (!driver::waitFor([&] { return (main_ = driver::findTopWindow(id(), "Orvandel.wMain", "Orvandel")); })) {
      fail("the main window did not open");
    }
    driver::waitFor([&] { return painted(main_); });
  }
  ~Program() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  DWORD id() const { return info_.dwProcessId; }
  HWND main() const { return main_; }
  void close() {
    driver::press(driver::findControl(main_, kIdClose));
    if (WaitForSingleObject(info_.hProcess, 20000) != WAIT_OBJECT_0) fail("the program did not end");
  }

 private:
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

// Start pressed, the box seen and answered at once, the window offering the other change and
// repainted: the moments of each step on the round's stopwatch.
struct Press {
  double pressed, answered;
  Sighting box, resynced;
  double total() const { return resynced.at - pressed; }
};

Press pressStart(const Stopwatch& clock, const Program& program, int nowOffered) {
  Press press{};
  const HWND start = driver::findControl(program.main(), kIdStart);
  const HWND offered = driver::findControl(program.main(), nowOffered);
  press.pressed = clock.milliseconds();
  PostMessageA(start, BM_CLICK, 0, 0);
  HWND box = nullptr;
  // Shown means painted too: the box is answered once a user could have read it.
  press.box = watchFor(clock, [&] { return (box = boxOf(program.id())) != nullptr && painted(box); }, "no box");
  char caption[64] = {};
  GetWindowTextA(box, caption, sizeof caption);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  press.answered = clock.milliseconds();
  if (std::string(caption) != "Success!") fail("no success box");
  press.resynced = watchFor(clock, [&] { return !IsWindow(box) && checked(offered) && painted(program.main()); },
                            "the window did not follow");
  return press;
}

const probe::Event* find(const std::vector<probe::Event>& events, double from, const std::string& kind,
                         const std::string& name) {
  for (const probe::Event& event : events) {
    if (event.ms >= from && event.kind == kind && (name.empty() || event.name == name)) return &event;
  }
  return nullptr;
}

// The end of a handler, past the same window's handlers of the same kind nested in it.
const probe::Event* endOf(const std::vector<probe::Event>& events, const probe::Event& begin) {
  const std::string kind = begin.kind.substr(0, begin.kind.rfind('-'));
  int depth = 0;
  for (const probe::Event& event : events) {
    if (event.ms < begin.ms || event.window != begin.window) continue;
    if (event.kind == kind + "-begin") ++depth;
    if (event.kind == kind + "-end" && --depth == 0) return &event;
  }
  return nullptr;
}

// One press in steps, from the probe's record:
//   deliver  the press until the window handles the click
//   change   until the box is created (the registry change)
//   box      until the box has painted
//   seen     until the driver saw it (its latency)
//   answer   the driver's answer until the box is gone
//   resync   until the click's handler returns (the registry read, the panels set)
//   repaint  until the last paint
//   seen2    until the driver saw the window repainted (its latency)
void printToggle(const std::string& label, int round, int number, const Press& press, const probe::Log& log) {
  const probe::Event* command = find(log.events, press.pressed, "command-begin", "Orvandel.wMain");
  if (!command) return;
  const probe::Event* created = find(log.events, command->ms, "create", "#32770#0");
  if (!created) return;
  const probe::Event* boxPainted = find(log.events, created->ms, "paint-end", "#32770");
  const probe::Event* gone = find(log.events, created->ms, "destroyed", "#32770");
  const probe::Event* done = endOf(log.events, *command);
  if (!boxPainted || !gone || !done) return;
  double lastPaint = done->ms;
  std::string painted;
  int paints = 0;
  for (const probe::Event& event : log.events) {
    if (event.ms < done->ms || event.ms > press.resynced.at) continue;
    if (event.kind == "paint-end") lastPaint = std::max(lastPaint, event.ms);
    if (event.kind == "paint-begin") {
      ++paints;
      painted += " " + event.name;
    }
  }
  std::printf("toggle:%s %d.%d deliver_ms %.2f change_ms %.2f box_ms %.2f seen_ms %.2f answer_ms %.2f "
              "resync_ms %.2f repaint_ms %.2f seen2_ms %.2f paints %d\n",
              label.c_str(), round, number, command->ms - press.pressed, created->ms - command->ms,
              boxPainted->ms - created->ms, press.box.at - boxPainted->ms, gone->ms - press.answered,
              done->ms - gone->ms, lastPaint - done->ms, press.resynced.at - lastPaint, paints);
  if (round == 1) std::printf("repainted:%s %d%s\n", label.c_str(), number, painted.c_str());
}

void timeProgram(const std::string& label, const std::string& path, int round) {
  driver::installHandler();
  DeleteFileA(probe::fileFor(path).c_str());
  Stopwatch clock;
  Press remove{}, restore{};
  {
    Program program(path);
    remove = pressStart(clock, program, kIdOptionRestore);
    expectHandler(false, "Start (remove)");
    restore = pressStart(clock, program, kIdOptionRemove);
    expectHandler(true, "Start (restore)");
    program.close();
  }
  const double toBoxes = (remove.box.at - remove.pressed) + (restore.box.at - restore.pressed);
  std::printf("switch:%s round %d window_ms %.1f until_boxes_ms %.1f after_boxes_ms %.1f box_late_ms %.2f "
              "resync_late_ms %.2f\n",
              label.c_str(), round, remove.total() + restore.total(), toBoxes,
              remove.total() + restore.total() - toBoxes, std::max(remove.box.lateBy, restore.box.lateBy),
              std::max(remove.resynced.lateBy, restore.resynced.lateBy));
  if (const probe::Log log = probe::read(path, clock.origin()); log.read) {
    printToggle(label, round, 1, remove, log);
    printToggle(label, round, 2, restore, log);
  }
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: bench_switch_timer RUNS REMOVE.REG RESTORE.REG LABEL=PROGRAM...\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  for (int round = 1; round <= runs; ++round) {
    for (int i = 4; i < argc; ++i) {
      const std::string given = argv[i];
      const size_t equals = given.find('=');
      if (equals == std::string::npos) fail("programs are given as LABEL=PROGRAM");
      timeProgram(given.substr(0, equals), given.substr(equals + 1), round);
    }

    Stopwatch regWatch;
    run(std::string("reg.exe delete ") + kKey + " /f");
    expectHandler(false, "reg delete");
    run(std::string("reg.exe add ") + kKey + " /ve /t REG_SZ /d {87D62D94-71B3-4b9a-9489-5FE6850DC73E} /f");
    const double byReg = regWatch.milliseconds();
    expectHandler(true, "reg add");

    Stopwatch regeditWatch;
    run(std::string("regedit.exe /s \"") + argv[2] + "\"");
    expectHandler(false, "regedit remove");
    run(std::string("regedit.exe /s \"") + argv[3] + "\"");
    const double byRegedit = regeditWatch.milliseconds();
    expectHandler(true, "regedit restore");
    std::printf("peers round %d reg_ms %.1f regedit_ms %.1f\n", round, byReg, byRegedit);
    std::fflush(stdout);
  }
  return 0;
}
