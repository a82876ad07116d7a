// Starts a window program again and again: the milliseconds from process start until its window
// is shown and painted (no part of it or its controls left to paint), then its peak working set.
//   bench_launch_timer RUNS PROGRAM WINDOW-CLASS
// Prints one line per run and the medians, as "name value" pairs. A program built with
// bench/Probe.cpp also gets a "phases" line per run: where the time before the first paint went.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/ProbeLog.h"

namespace {
// A call or two to the system a look (it filters the windows by class itself): looking every
// millisecond leaves the starting program the machine, where a walk over every window asking each
// its class took up to some 12 ms a look under Wine. The walk is bounded: a window destroyed
// between two steps may start it over.
HWND windowOf(DWORD process, const char* windowClass) {
  HWND window = FindWindowExA(nullptr, nullptr, windowClass, nullptr);
  for (int step = 0; window && step < 64; ++step, window = FindWindowExA(nullptr, window, windowClass, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process) return window;
  }
  return nullptr;
}

BOOL CALLBACK noteUnpainted(HWND child, LPARAM painted) {
  if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(painted) = false;
  return TRUE;
}

// Shown, and neither it nor any visible control of it waits for a WM_PAINT.
bool shownAndPainted(HWND window) {
  if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  bool painted = true;
  EnumChildWindows(window, noteUnpainted, reinterpret_cast<LPARAM>(&painted));
  return painted;
}

double millisecondsSince(const LARGE_INTEGER& start) { return probe::millisecondsSince(start); }

const probe::Event* first(const probe::Log& log, const std::string& kind, const std::string& window) {
  for (const probe::Event& event : log.events) {
    if (event.kind == kind && (window.empty() || event.window == window)) return &event;
  }
  return nullptr;
}

// The start-up in steps, from the probe's record of one run seen painted at `launch` ms:
//   entry     process start until the program's code runs (Wine's process, the DLLs it imports, the runtime)
//   init      until its main window is created (what it does first: libraries, common controls, layout)
//   window    the main window's own creation, up to its WM_CREATE
//   controls  WM_CREATE making the controls; "pictures" is the part spent just before each picture window
//   load      the rest of WM_CREATE (the form's load: the registry read, the panels set)
//   show      until the window is shown
//   paint     until the last paint before it was seen painted
//   seen      until this timer saw it painted (the timer's own latency)
void printPhases(int run, const probe::Log& log, const std::string& windowClass, double launch) {
  const probe::Event* entry = first(log, "entry", "");
  const probe::Event* created = nullptr;
  for (const probe::Event& event : log.events) {
    if (event.kind == "create" && event.name == windowClass + "#0") {
      created = &event;
      break;
    }
  }
  if (!entry || !created) return;
  const probe::Event* begin = first(log, "wm_create-begin", created->window);
  const probe::Event* end = first(log, "wm_create-end", created->window);
  const probe::Event* shown = first(log, "show", created->window);
  if (!begin || !end || !shown) return;
  double controlsDone = begin->ms, pictures = 0, painted = shown->ms;
  std::map<std::string, int> paints;
  std::map<std::string, std::string> names;
  std::string dlls;
  for (size_t i = 0; i < log.events.size(); ++i) {
    const probe::Event& event = log.events[i];
    if (event.kind == "create" && event.ms > begin->ms && event.ms < end->ms) {
      controlsDone = event.ms;
      if (event.name.rfind("Orvandel.Picture", 0) == 0 && i > 0) pictures += event.ms - log.events[i - 1].ms;
    }
    if (event.ms > launch) continue;
    if (event.kind == "paint-begin") {
      ++paints[event.window];
      names[event.window] = event.name;
    }
    if (event.kind == "paint-end") painted = std::max(painted, event.ms);
    if (event.kind == "dll") {
      char one[96];
      std::snprintf(one, sizeof one, "%s%s@%.0f", dlls.empty() ? "" : ",", event.window.c_str(), event.ms);
      dlls += one;
    }
  }
  int total = 0;
  std::string repainted;
  for (const auto& [window, count] : paints) {
    total += count;
    if (count > 1) repainted += " " + names[window] + "x" + std::to_string(count);
  }
  std::printf("phases %d entry_ms %.1f init_ms %.1f window_ms %.1f controls_ms %.1f pictures_ms %.1f load_ms %.1f "
              "show_ms %.1f paint_ms %.1f seen_ms %.1f paints %d repainted %zu\n",
              run, entry->ms, created->ms - entry->ms, begin->ms - created->ms, controlsDone - begin->ms, pictures,
              end->ms - controlsDone, shown->ms - end->ms, painted - shown->ms, launch - painted, total,
              static_cast<size_t>(std::count(repainted.begin(), repainted.end(), ' ')));
  std::printf("loaded %d %s\n", run, dlls.empty() ? "-" : dlls.c_str());
  if (!repainted.empty()) std::printf("painted-twice %d%s\n", run, repainted.c_str());
  if (run == 1) {
    for (const std::string& module : log.modules) std::printf("module %s\n", module.c_str());
  }
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

class Process {
 public:
  explicit Process(const PROCESS_INFORMATION& info) : info_(info) {}
  ~Process() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  HANDLE handle() const { return info_.hProcess; }
  DWORD id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_;
};
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_launch_timer RUNS PROGRAM WINDOW-CLASS\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  // The first look at a window costs this program some 20 ms of its own (under Wine: the display
  // connection, the first region): taken now, not in the first look at the started program, where
  // it would count as the program's.
  windowOf(GetCurrentProcessId(), argv[3]);
  shownAndPainted(GetDesktopWindow());
  std::vector<double> launches, peaks;
  for (int run = 0; run < runs; ++run) {
    std::string command = "\"" + std::string(argv[2]) + "\"";
    DeleteFileA(probe::fileFor(argv[2]).c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      std::fprintf(stderr, "cannot start %s (%lu)\n", argv[2], GetLastError());
      return 1;
    }
    Process process(info);
    WaitForInputIdle(process.handle(), 20000);
    // Bounded by the tick count too, whatever the performance counter does.
    const DWORD deadline = GetTickCount() + 30000;
    HWND window = nullptr;
    while (!(window = windowOf(process.id(), argv[3])) || !shownAndPainted(window)) {
      if (WaitForSingleObject(process.handle(), 0) == WAIT_OBJECT_0) {
        std::fprintf(stderr, "%s ended without a painted window of class %s\n", argv[2], argv[3]);
        return 1;
      }
      if (millisecondsSince(start) > 30000 || static_cast<LONG>(GetTickCount() - deadline) > 0) {
        std::fprintf(stderr, "no painted window of class %s\n", argv[3]);
        return 1;
      }
      Sleep(1);
    }
    const double launch = millisecondsSince(start);
    Sleep(300);  // whatever it does once it is idle belongs to its footprint too
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process.handle(), &memory, sizeof memory)) {
      std::fprintf(stderr, "no memory counters (%lu)\n", GetLastError());
      return 1;
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.handle(), 10000);
    launches.push_back(launch);
    peaks.push_back(static_cast<double>(memory.PeakWorkingSetSize) / 1024.0);
    std::printf("run %d launch_ms %.1f peak_kib %.0f\n", run + 1, launch, peaks.back());
    if (const probe::Log log = probe::read(argv[2], start); log.read) printPhases(run + 1, log, argv[3], launch);
  }
  std::printf("median_launch_ms %.1f\nmedian_peak_kib %.0f\n", median(launches), median(peaks));
  return 0;
}
