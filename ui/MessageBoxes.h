#pragma once
// The message box service: no owner window, modal to the whole UI thread.

#include "LevelQuery.h"

#include <windows.h>

#include <string_view>

// Shows the box and waits; task-modal unless system-modal is asked for.
int ShowMessageBox(std::string_view text, UINT type, std::string_view caption);

class ThreadMessageBoxes final : public MessageBoxes {
public:
    void Show(std::string_view text, std::string_view caption) override {
        ShowMessageBox(text, MB_OK, caption);
    }
};
