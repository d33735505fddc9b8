// Resource IDs of Tarvelo.exe, shared by the resource script and the code.
#pragma once

// Icon 1, the first icon group, is the one the shell shows for the file.
#define IDI_FILE 1
// The five-image icon of the main window (large and small).
#define IDI_WINDOW 2
