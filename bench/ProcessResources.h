#pragma once
// What this process holds, for the load run: kernel handles, GDI objects, the windows of this
// thread and its working set.
#include <windows.h>

namespace resources {

DWORD kernelHandles();
DWORD gdiObjects();
DWORD windowsOfThisThread();
SIZE_T workingSetKiB();

struct Counts {
  DWORD handles, gdi, windows;
  SIZE_T workingSet;
  static Counts now() { return {kernelHandles(), gdiObjects(), windowsOfThisThread(), workingSetKiB()}; }
};

}  // namespace resources
