#include "Startup.h"

#include <windows.h>

// The command line is ignored: the program takes none.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return RunTarvelo(instance); }
