#pragma once
#include <windows.h>

// The pointer over anything that opens a page: the program's own pointing hand if the
// executable holds it, else the system's hand, else the arrow. Loaded once, kept for the process.
HCURSOR pointingHand();
