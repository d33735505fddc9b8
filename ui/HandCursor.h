#pragma once
// The hyperlinks' pointing-hand cursor, drawn in code: 32 x 32, hot spot at
// the fingertip, 6 pixels from the left and 1 from the top.

#include <windows.h>

HCURSOR CreateHandCursor(HINSTANCE instance);
