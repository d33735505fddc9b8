#include "EditBox.h"

#include "ChildControl.h"
#include "EditRules.h"
#include "Gdi.h"
#include "Reflect.h"
#include "Text.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 1;

struct EditBoxState {
    COLORREF text;
    COLORREF background;
    ScopedGdiObj<HBRUSH> brush;
    int lineHeight = 0;
    // The border the system procedure reserves (left, top, right, bottom);
    // the strips between it and the centred line are painted by us.
    RECT border{};
};

// The height of "W" in the box's font: the height of one line.
int MeasureLine(HWND box) {
    HDC dc = GetDC(box);
    SIZE size{};
    {
        ScopedSelectObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc, L"W", 1, &size);
    }
    ReleaseDC(box, dc);
    return size.cy;
}

LRESULT OnNcCalcSize(HWND box, WPARAM wParam, LPARAM lParam, EditBoxState& state) {
    RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    const RECT outer = *rect;
    const LRESULT result = DefSubclassProc(box, WM_NCCALCSIZE, wParam, lParam);
    state.border = {rect->left - outer.left, rect->top - outer.top, outer.right - rect->right,
                    outer.bottom - rect->bottom};
    const LineBand line = CentredLine({rect->top, rect->bottom}, state.lineHeight);
    rect->top = line.top;
    rect->bottom = line.bottom;
    return result;
}

// Paints the strips above and below the line in the background colour.
void OnNcPaint(HWND box, WPARAM wParam, const EditBoxState& state) {
    DefSubclassProc(box, WM_NCPAINT, wParam, 0);
    RECT window, client;
    GetWindowRect(box, &window);
    GetClientRect(box, &client);
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    RECT inside{state.border.left, state.border.top, window.right - window.left - state.border.right,
                window.bottom - window.top - state.border.bottom};
    HDC dc = GetWindowDC(box);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    FillRect(dc, &inside, state.brush);
    ReleaseDC(box, dc);
}

LRESULT OnSetFont(HWND box, WPARAM wParam, LPARAM lParam, EditBoxState& state) {
    const LRESULT result = DefSubclassProc(box, WM_SETFONT, wParam, lParam);
    state.lineHeight = MeasureLine(box);
    SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return result;
}

LRESULT OnReflectedCtlColor(HDC dc, const EditBoxState& state) {
    SetTextColor(dc, state.text);
    SetBkColor(dc, state.background);
    return reinterpret_cast<LRESULT>(state.brush.Get());
}

LRESULT CALLBACK EditBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& state = *reinterpret_cast<EditBoxState*>(data);
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
        if (!PassesTypedFilter(static_cast<unsigned>(wParam))) return 0;  // dropped without a beep
        break;
    // The edit box may insert an input method's result itself; the default
    // handling hands it over as WM_IME_CHAR, through the filter.
    case WM_IME_COMPOSITION: return DefWindowProcW(box, message, wParam, lParam);
    case WM_NCCALCSIZE: return OnNcCalcSize(box, wParam, lParam, state);
    case WM_NCPAINT: OnNcPaint(box, wParam, state); return 0;
    case WM_SETFONT: return OnSetFont(box, wParam, lParam, state);
    case kReflectedCtlColor: return OnReflectedCtlColor(reinterpret_cast<HDC>(wParam), state);
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, EditBoxProc, kSubclassId);
        delete &state;
        return DefSubclassProc(box, message, wParam, lParam);
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace

HWND CreateEditBox(HWND parent, int id, const ControlDescription& d) {
    // Without ES_NOHIDESEL the selection is hidden while the box has no focus.
    HWND box = CreateChildControl(L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_STATICEDGE, parent, id, d);
    if (!box) return nullptr;
    auto* state = new EditBoxState{ToColorref(d.textColour), ToColorref(d.background),
                                   ScopedGdiObj<HBRUSH>(CreateSolidBrush(ToColorref(d.background)))};
    if (!SetWindowSubclass(box, EditBoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
        delete state;
        DestroyWindow(box);
        return nullptr;
    }
    SendMessageW(box, EM_SETLIMITTEXT, 0, 0);  // the platform's maximum
    // The table gives every edit box the default GUI font; setting it also
    // measures the line and recomputes the frame.
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    const int height = RaisedEditHeight(d.height, state->lineHeight, GetSystemMetrics(SM_CYEDGE));
    if (height != d.height)
        SetWindowPos(box, nullptr, 0, 0, d.width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return box;
}
