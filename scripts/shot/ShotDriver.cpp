// Steps for scripts/screenshot, one per run: the script takes a picture between them.
//   shot_driver wait-main            wait until the main window is shown
//   shot_driver press-start          press Start and wait for the message box
//   shot_driver answer               answer the open message box
//   shot_driver lock-handler         give the handler key a subkey, so its deletion is refused
//   shot_driver unlock-handler       take that subkey away again
//   shot_driver install|remove       put the handler key in place, or take it away
//   shot_driver hover-link           rest the pointer on the maker link; pointer-away moves it off
//   shot_driver open-about           click the maker link and wait for the About window
//   shot_driver close-about          close it with the title bar's close button
//   shot_driver tab N                press Tab N times, as the keyboard does, in the active window
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/ControlIds.h"
#include "scripts/driver/Driver.h"

namespace {
DWORD programId() {
  DWORD pid = 0;
  driver::waitFor([&] {
    HWND window = FindWindowA("Orvandel.wMain", "Orvandel");
    return window && GetWindowThreadProcessId(window, &pid);
  });
  return pid;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* step = argv[1];
  if (!std::strcmp(step, "install")) { driver::installHandler(); return 0; }
  if (!std::strcmp(step, "remove")) { driver::removeHandler(); return 0; }
  if (!std::strcmp(step, "lock-handler")) return driver::holdHandler(true) ? 0 : 1;
  if (!std::strcmp(step, "unlock-handler")) return driver::holdHandler(false) ? 0 : 1;
  const DWORD pid = programId();
  if (!pid) return 1;
  HWND window = FindWindowA("Orvandel.wMain", "Orvandel");
  if (!std::strcmp(step, "wait-main")) return 0;
  if (!std::strcmp(step, "press-start")) {
    driver::press(driver::findControl(window, kIdStart));
    return driver::waitForMessageBox(pid).window ? 0 : 1;
  }
  if (!std::strcmp(step, "open-about")) {
    driver::clickCentre(driver::findControl(window, kIdMakerLink));
    return driver::waitFor([&] { return driver::findTopWindow(pid, "Orvandel.wAbout", "") != nullptr; }) ? 0 : 1;
  }
  if (!std::strcmp(step, "hover-link")) {
    RECT area;
    GetWindowRect(driver::findControl(window, kIdMakerLink), &area);
    SetCursorPos(area.left + 8, (area.top + area.bottom) / 2);
    return 0;
  }
  if (!std::strcmp(step, "tab")) {
    for (int i = argc > 2 ? std::atoi(argv[2]) : 1; i > 0; --i) {
      keybd_event(VK_TAB, 0, 0, 0);
      keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
      Sleep(100);
    }
    return 0;
  }
  if (!std::strcmp(step, "pointer-away")) {
    SetCursorPos(5, 5);
    return 0;
  }
  if (!std::strcmp(step, "close-about")) {
    HWND about = driver::findTopWindow(pid, "Orvandel.wAbout", "");
    PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    return driver::waitFor([&] { return !IsWindow(about); }) ? 0 : 1;
  }
  if (!std::strcmp(step, "answer")) {
    driver::MessageBoxSeen box = driver::waitForMessageBox(pid);
    if (!box.window) return 1;
    std::printf("%s: %s\n", box.caption.c_str(), box.text.c_str());
    driver::answer(box);
    return 0;
  }
  return 2;
}
