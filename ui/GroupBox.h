#pragma once
// The group box kind: a system group box that fills its whole rectangle with
// its background, draws its frame and left caption in its own colours, and
// passes its children's notifications and colour requests on to its parent.

#include "WindowDescription.h"

#include <windows.h>

// Creates the group box hidden, as a child of `parent`; nullptr on failure.
HWND CreateGroupBox(HWND parent, int id, const ControlDescription& d);
