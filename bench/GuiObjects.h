#pragma once
// The calling process's live GDI and USER objects, counted the same way by
// the object bench and the robustness tests.
//
// Where GetGuiResources works (Windows) its figures are used. Wine 8 does not
// implement it, so there the counts come from walking the 16-bit handle index
// space: Wine takes a handle whose high word is 0 as naming whatever object
// lives at that index now, whatever its generation.
// - GDI: every index at which GetObjectType answers (pens, brushes, fonts,
//   bitmaps, regions, palettes, DCs, including the stock objects). Wine's GDI
//   handle table is the process's own.
// - USER: Wine's USER handle table is shared by all processes of the
//   wineserver, so only objects of this process count: windows whose
//   GetWindowThreadProcessId is this process, menus (IsMenu), icons and
//   cursors (GetIconInfo, whose bitmap copies are deleted again) and
//   accelerator tables (CopyAcceleratorTable); these calls fail for another
//   process's objects. Hooks and deferred-position handles are not seen.
// Checked by CountsFollowCreatedAndDeletedObjects in
// tests/win/RobustnessTest.cpp and by the bench's own first row: N brushes,
// fonts and bitmaps raise the GDI count by exactly 3N, N windows, menus and
// icons the USER count by exactly 3N, and deleting them restores both.
// A walk takes a few tenths of a second under Wine.

#include <windows.h>

struct GuiObjectCount {
    long gdi = 0;
    long user = 0;
    friend bool operator==(const GuiObjectCount&, const GuiObjectCount&) = default;
};

inline bool IsOwnUserObject(HANDLE handle, DWORD process) {
    HWND window = static_cast<HWND>(handle);
    if (IsWindow(window)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == process;
    }
    if (IsMenu(static_cast<HMENU>(handle))) return true;
    ICONINFO icon;
    if (GetIconInfo(static_cast<HICON>(handle), &icon)) {
        if (icon.hbmMask) DeleteObject(icon.hbmMask);
        if (icon.hbmColor) DeleteObject(icon.hbmColor);
        return true;
    }
    return CopyAcceleratorTableW(static_cast<HACCEL>(handle), nullptr, 0) > 0;
}

inline GuiObjectCount CountGuiObjects() {
    GuiObjectCount count;
    HANDLE self = GetCurrentProcess();
    count.gdi = static_cast<long>(GetGuiResources(self, GR_GDIOBJECTS));
    count.user = static_cast<long>(GetGuiResources(self, GR_USEROBJECTS));
    if (count.gdi != 0) return count;

    // USER first: GetIconInfo's bitmap copies are gone before GDI is walked.
    const DWORD process = GetCurrentProcessId();
    for (UINT_PTR index = 0x20; index < 0xfff0; index += 2)  // USER handles are even, from 0x20
        if (IsOwnUserObject(reinterpret_cast<HANDLE>(index), process)) ++count.user;
    for (UINT_PTR index = 1; index <= 0xffff; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count.gdi;
    return count;
}
