#pragma once
// The program's one window: two lookup panels and two links, built from the
// description in WindowDescription.h.

#include "FocusRules.h"
#include "Gdi.h"
#include "MessageBoxes.h"
#include "WindowDescription.h"

#include <windows.h>

#include <array>
#include <vector>

// The window icon's resource id (five images); the executable's own icon is 1.
inline constexpr int kWindowIconResource = 2;

class MainWindow {
public:
    // Builds the window hidden, runs `onCreated` while it is still invisible,
    // then shows it. False when the window could not be built.
    bool Build(HINSTANCE instance, void (*onCreated)());

    // The window's keyboard rules, seen before the focused control gets the
    // key; true when the message was consumed.
    bool PreTranslate(const MSG& msg);

    HWND Handle() const { return window_; }
    HWND Control(int index) const { return controls_[index]; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool CreateControls();
    void OnCommand(WPARAM wParam);
    LRESULT OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam);
    void OnActivate(WPARAM wParam);
    void OnPaintBackground(HDC dc);
    void RunQuery(const PanelDescription& panel);
    int IndexOf(HWND control) const;

    HWND window_ = nullptr;
    std::array<HWND, kMainWindowControls.size()> controls_{};
    std::vector<int> focusOrder_ = FocusOrder(kMainWindowControls);
    HWND lastFocus_ = nullptr;
    ScopedGdiObj<HBRUSH> background_{CreateSolidBrush(ToColorref(kMainWindow.background))};
    bool eventsHeld_ = true;
    ThreadMessageBoxes boxes_;
};

// Control ids: never 1 or 2, which the platform's dialog keys would send.
constexpr int ControlId(int index) { return 100 + index; }
