#pragma once

// Puts the user-interface thread in a single-threaded COM apartment, once, for the rest of the
// program's life. The shell's extensions are COM objects, and so are the objects a screen reader
// is handed: in such an apartment their calls arrive through this thread's message loop, never
// on a thread of their own. Nothing else needs COM, so ole32 is loaded at the first call rather
// than at start-up; the apartment is left when the program ends.
void enterSingleThreadedApartment();
