#pragma once
// What this process holds, for tests that check nothing is left behind: kernel handles, GDI
// objects, and the windows of this thread.
#include <windows.h>

namespace resources {

DWORD kernelHandles();
DWORD gdiObjects();
DWORD windowsOfThisThread();

struct Counts {
  DWORD handles, gdi, windows;
  static Counts now() { return {kernelHandles(), gdiObjects(), windowsOfThisThread()}; }
};

}  // namespace resources
