#pragma once
#include "base/WinHandles.h"

// A system DLL loaded at run time, by its full path in the system folder. By a bare name Windows
// looks in the program's own folder first (a Downloads folder, where anyone may leave a DLL of
// that name) and runs what it finds there with the rights the program was started with; only the
// system's KnownDLLs are exempt, and which DLLs those are differs between versions.
UniqueModule loadSystemLibrary(const wchar_t* name);

// Takes the program's own folder's neighbours out of every later search for a DLL by name, where
// the system can: the current folder (XP SP1 on) and every folder but the system's (Windows 7 with
// KB2533623, 8 and later). Called first thing at start-up, before anything loads a library.
void restrictLibrarySearch();
