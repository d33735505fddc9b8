#pragma once
// The button kind: a system push button, never the window's default button.

#include "WindowDescription.h"

#include <windows.h>

// Creates the button hidden, as a child of `parent`; nullptr on failure.
HWND CreateQueryButton(HWND parent, int id, const ControlDescription& d);
