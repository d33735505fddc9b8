#include "Button.h"

#include "ChildControl.h"

HWND CreateQueryButton(HWND parent, int id, const ControlDescription& d) {
    HWND button = CreateChildControl(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE,
                                     0, parent, id, d);
    if (button)  // the table gives both buttons the default GUI font
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return button;
}
