#pragma once
// The Tab rule of the main window, on the controls' flags rather than on
// their window handles.

#include "WindowDescription.h"

#include <optional>
#include <span>
#include <vector>

// Indices of the controls Tab visits: visible, enabled edit boxes and buttons
// with the tab-stop flag, by tab order, equal tab orders in reverse stored order.
std::vector<int> FocusOrder(std::span<const ControlDescription> controls);

// Where Tab (forward) or Shift+Tab moves the focus from the control at index
// `current` (none: the window itself). Returns -1 when the order is empty.
int NextFocus(std::span<const int> order, std::optional<int> current, bool forward);
