#include "Button.h"

#include "Text.h"

HWND CreateQueryButton(HWND parent, int id, const ControlDescription& d) {
    HWND button = CreateWindowExW(0, L"BUTTON", Widen(d.text).c_str(),
                                  WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE,
                                  d.left, d.top, d.width, d.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                  nullptr);
    if (button)  // the table gives both buttons the default GUI font
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return button;
}
