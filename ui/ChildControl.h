#pragma once
// Every control kind starts the same way: a hidden child window at the place
// and with the initial text of its description.

#include "Text.h"
#include "WindowDescription.h"

#include <windows.h>

// `createParam` reaches the control's WM_NCCREATE (the program's own classes
// read their description from it).
inline HWND CreateChildControl(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, int id,
                               const ControlDescription& d, const void* createParam = nullptr) {
    return CreateWindowExW(exStyle, className, Widen(d.text).c_str(), WS_CHILD | style, d.left, d.top, d.width,
                           d.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), const_cast<void*>(createParam));
}
