#pragma once
// Colour requests travel to the top-level window (group boxes pass on those of
// their children); the window reflects each back to the control that asked,
// so each control kind answers for its own colours.

#include <windows.h>

// Sent to a control with wParam = the HDC of the original WM_CTLCOLOR* request
// and lParam = that request's message number. A control that answers returns
// its background brush (after setting the DC's colours); 0 means "default".
inline constexpr UINT kReflectedCtlColor = WM_APP + 1;
