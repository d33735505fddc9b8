#pragma once
// The hyperlink kind: a window class of the program's own that draws its text
// in the normal, hover or visited colour and opens its address when pressed.

#include "WindowDescription.h"

#include <windows.h>

// Creates the link hidden, as a child of `parent`; nullptr on failure.
HWND CreateHyperLinker(HWND parent, int id, const ControlDescription& d);

// The colours a link draws its text in.
inline constexpr Rgb kLinkHoverColour{51, 94, 168};
inline constexpr Rgb kLinkVisitedColour{128, 0, 0};
