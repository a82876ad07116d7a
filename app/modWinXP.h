#pragma once

// Initialises the common controls (the extended combo box classes); false when the system
// refused. Never throws: the window opens without them.
bool InitCommonControlsXP();
