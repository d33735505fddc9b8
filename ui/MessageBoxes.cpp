#include "MessageBoxes.h"

#include "Text.h"

int ShowMessageBox(std::string_view text, UINT type, std::string_view caption) {
    if (!(type & MB_SYSTEMMODAL)) type |= MB_TASKMODAL;
    int answer = MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), type);
    return answer == IDOK ? 0 : answer;
}
