#include "EditRules.h"

#include <algorithm>

bool PassesTypedFilter(unsigned code) {
    return code < 32 || code == '-' || (code >= '0' && code <= '9');
}

LineBand CentredLine(LineBand inside, int lineHeight) {
    const int available = inside.bottom - inside.top;
    if (lineHeight <= 0 || lineHeight >= available) return inside;
    const int top = inside.top + (available - lineHeight) / 2;
    return {top, top + lineHeight};
}

int RaisedEditHeight(int storedHeight, int lineHeight, int edgeHeight) {
    return std::max(storedHeight, lineHeight + 2 * edgeHeight);
}
