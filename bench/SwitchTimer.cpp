// One remove and one restore of the handler key, three ways, in turn, in the same Wine prefix:
//  - through Orvandel's window (already open): Start, the box answered, Start, the box answered,
//    driven as the end-to-end tests drive it;
//  - Wine's reg.exe: "reg delete" then "reg add";
//  - regedit /s importing a .reg file that deletes the key, then one that adds it.
//   bench_switch_timer RUNS REMOVE.REG RESTORE.REG
// Every step is checked against the registry. Prints one line per round and the medians.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "scripts/driver/Driver.h"
#include "scripts/driver/HandlerKey.h"

namespace {
const char kKey[] = "HKCR\\SystemFileAssociations\\.avi\\shellex\\PropertyHandler";

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceCounter(&start_); }
  double milliseconds() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency.QuadPart);
  }

 private:
  LARGE_INTEGER start_;
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

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

// Runs a command line to its end.
void run(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    fail(("cannot start " + command).c_str());
  }
  WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

// Start pressed, the box found and answered, and the window offering the other change: the time
// until the box showed (the registry work), and the whole.
struct Press {
  double untilBox, total;
};

Press pressStart(const driver::Program& program, HWND window, int nowOffered) {
  Stopwatch watch;
  driver::press(driver::findControl(window, kIdStart));
  const driver::MessageBoxSeen box = driver::waitForMessageBox(program.id());
  if (!box.window || box.caption != "Success!") fail("no success box");
  const double untilBox = watch.milliseconds();
  driver::answer(box);
  if (!driver::waitFor([&] { return driver::isChecked(driver::findControl(window, nowOffered)); })) {
    fail("the window did not follow");
  }
  return {untilBox, watch.milliseconds()};
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_switch_timer RUNS REMOVE.REG RESTORE.REG\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<double> window, boxes, reg, regedit;
  for (int round = 0; round < runs; ++round) {
    driver::installHandler();
    double inWindow = 0, untilBoxes = 0;
    {
      driver::Program program;
      HWND main = program.mainWindow();
      if (!main) fail("the main window did not open");
      const Press remove = pressStart(program, main, kIdOptionRestore);
      expectHandler(false, "Start (remove)");
      const Press restore = pressStart(program, main, kIdOptionRemove);
      expectHandler(true, "Start (restore)");
      inWindow = remove.total + restore.total;
      untilBoxes = remove.untilBox + restore.untilBox;
      driver::press(driver::findControl(main, kIdClose));
      program.waitForExit();
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

    window.push_back(inWindow);
    boxes.push_back(inWindow - untilBoxes);
    reg.push_back(byReg);
    regedit.push_back(byRegedit);
    std::printf("round %d window_ms %.1f of_which_after_box_shown_ms %.1f reg_ms %.1f regedit_ms %.1f\n", round + 1,
                inWindow, inWindow - untilBoxes, byReg, byRegedit);
  }
  std::printf("median_window_ms %.1f\nmedian_after_box_shown_ms %.1f\nmedian_reg_ms %.1f\nmedian_regedit_ms %.1f\n",
              median(window), median(boxes), median(reg), median(regedit));
  return 0;
}
