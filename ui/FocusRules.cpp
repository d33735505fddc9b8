#include "FocusRules.h"

#include <algorithm>

std::vector<int> FocusOrder(std::span<const ControlDescription> controls) {
    std::vector<int> order;
    for (int i = static_cast<int>(controls.size()) - 1; i >= 0; --i) {
        const ControlDescription& c = controls[i];
        bool canFocus = c.kind == ControlKind::EditBox || c.kind == ControlKind::Button;
        if (canFocus && c.tabStop && c.visible && c.enabled) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return controls[a].tabOrder < controls[b].tabOrder;
    });
    return order;
}

int NextFocus(std::span<const int> order, std::optional<int> current, bool forward) {
    const int n = static_cast<int>(order.size());
    if (n == 0) return -1;
    int at = -1;
    if (current) at = static_cast<int>(std::find(order.begin(), order.end(), *current) - order.begin());
    if (at >= 0 && at < n) return order[(at + (forward ? 1 : n - 1)) % n];
    // From outside the order: the first member stored no later than the
    // current control, else the first; Shift+Tab takes the one before it.
    int landing = 0;
    if (current) {
        auto it = std::find_if(order.begin(), order.end(), [&](int i) { return i <= *current; });
        if (it != order.end()) landing = static_cast<int>(it - order.begin());
    }
    return order[forward ? landing : (landing + n - 1) % n];
}
