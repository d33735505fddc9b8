#pragma once
// The edit box kind: a system single-line edit box that takes only digits and
// minus signs from the keyboard and centres its line vertically.

#include "WindowDescription.h"

#include <windows.h>

// Creates the box hidden, as a child of `parent`; nullptr on failure.
HWND CreateEditBox(HWND parent, int id, const ControlDescription& d);
