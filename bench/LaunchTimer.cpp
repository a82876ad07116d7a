// Starts a window program again and again: the milliseconds from process start until its window
// is shown and painted (no part of it or its controls left to paint), then its peak working set.
//   bench_launch_timer RUNS PROGRAM WINDOW-CLASS
// Prints one line per run and the medians, as "name value" pairs.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
struct Search {
  DWORD process;
  const char* windowClass;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[128] = {};
  GetClassNameA(window, name, 128);
  if (owner == search->process && lstrcmpA(name, search->windowClass) == 0) search->found = window;
  return search->found ? FALSE : TRUE;
}

HWND windowOf(DWORD process, const char* windowClass) {
  Search search{process, windowClass, nullptr};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
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

double millisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
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
  std::vector<double> launches, peaks;
  for (int run = 0; run < runs; ++run) {
    std::string command = "\"" + std::string(argv[2]) + "\"";
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
    HWND window = nullptr;
    while (!(window = windowOf(process.id(), argv[3])) || !shownAndPainted(window)) {
      if (millisecondsSince(start) > 30000) {
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
  }
  std::printf("median_launch_ms %.1f\nmedian_peak_kib %.0f\n", median(launches), median(peaks));
  return 0;
}
