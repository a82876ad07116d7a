#include "app/modWinXP.h"

#include <windows.h>
#include <commctrl.h>

bool InitCommonControlsXP() {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_USEREX_CLASSES;
  return InitCommonControlsEx(&controls) != FALSE;
}
