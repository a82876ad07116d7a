// Stands in for a DLL someone left beside the program under the name of one it loads (oleacc.dll):
// it exports nothing and, when loaded, leaves "<its name>.ran" beside itself.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  char path[MAX_PATH];
  if (reason == DLL_PROCESS_ATTACH && GetModuleFileNameA(self, path, MAX_PATH - 4)) {
    CloseHandle(CreateFileA(lstrcatA(path, ".ran"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  return TRUE;
}
