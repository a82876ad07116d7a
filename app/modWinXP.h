#pragma once
#include <windows.h>

// The shell library, held loaded from the main window's initialisation to its unload.
extern HMODULE hShell32;

// Initialises the common controls (the extended combo box classes); false when the library or
// its entry point could not be reached. Never throws.
bool InitCommonControlsXP();
