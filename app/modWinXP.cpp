#include "app/modWinXP.h"

#include <commctrl.h>

HMODULE hShell32 = nullptr;

bool InitCommonControlsXP() {
  // Reached at run time, so a system without the entry point still opens the window.
  HMODULE comctl32 = LoadLibraryA("comctl32.dll");
  if (!comctl32) return false;
  using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  auto init = reinterpret_cast<InitFunction>(reinterpret_cast<void*>(GetProcAddress(comctl32, "InitCommonControlsEx")));
  if (init) {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = 8;
    controls.dwICC = ICC_USEREX_CLASSES;
    init(&controls);
  }
  // comctl32 stays loaded: the window's controls live in it.
  return init != nullptr;
}
