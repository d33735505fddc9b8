#include "GroupBox.h"

#include "ChildControl.h"
#include "Gdi.h"
#include "Reflect.h"
#include "Text.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kCaptionIndent = 8;  // from the left edge to the caption's gap
constexpr int kCaptionGap = 2;     // blank on either side of the caption

struct GroupBoxState {
    COLORREF caption;
    COLORREF background;
    ScopedGdiObj<HBRUSH> brush;
};

void Paint(HWND box, HDC dc, const GroupBoxState& state) {
    RECT rect;
    GetClientRect(box, &rect);
    FillRect(dc, &rect, state.brush);

    ScopedSelectObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT frame = rect;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    const int length = GetWindowTextLengthW(box);
    if (length <= 0) return;
    std::wstring caption(length + 1, L'\0');
    caption.resize(GetWindowTextW(box, caption.data(), length + 1));
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    // The caption's opaque background cuts the gap into the frame's top edge.
    RECT gap{rect.left + kCaptionIndent, rect.top, rect.left + kCaptionIndent + extent.cx + 2 * kCaptionGap,
             rect.top + metrics.tmHeight};
    SetTextColor(dc, state.caption);
    SetBkColor(dc, state.background);
    SetBkMode(dc, OPAQUE);
    ExtTextOutW(dc, gap.left + kCaptionGap, gap.top, ETO_OPAQUE | ETO_CLIPPED, &gap, caption.c_str(),
                static_cast<UINT>(caption.size()), nullptr);
}

void OnPaint(HWND box, const GroupBoxState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(box, &ps);
    Paint(box, dc, state);
    EndPaint(box, &ps);
}

// The system procedure paints its own look on WM_SETTEXT: store the text
// without it and repaint ours.
LRESULT OnSetText(HWND box, LPARAM lParam) {
    const LRESULT result = DefWindowProcW(box, WM_SETTEXT, 0, lParam);
    InvalidateRect(box, nullptr, FALSE);
    return result;
}

LRESULT OnReflectedCtlColor(HDC dc, LPARAM original, const GroupBoxState& state) {
    if (original != WM_CTLCOLORSTATIC && original != WM_CTLCOLORBTN) return 0;
    SetTextColor(dc, state.caption);
    SetBkColor(dc, state.background);
    return reinterpret_cast<LRESULT>(state.brush.Get());
}

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& state = *reinterpret_cast<GroupBoxState*>(data);
    switch (message) {
    case WM_PAINT: OnPaint(box, state); return 0;
    case WM_PRINTCLIENT: Paint(box, reinterpret_cast<HDC>(wParam), state); return 0;
    case WM_ERASEBKGND: return 1;  // painting fills the whole rectangle
    case WM_SETTEXT: return OnSetText(box, lParam);
    // The system group box drops what its children send; the window handles it.
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return SendMessageW(GetParent(box), message, wParam, lParam);
    case kReflectedCtlColor: return OnReflectedCtlColor(reinterpret_cast<HDC>(wParam), lParam, state);
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, GroupBoxProc, kSubclassId);
        delete &state;
        return DefSubclassProc(box, message, wParam, lParam);
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace

HWND CreateGroupBox(HWND parent, int id, const ControlDescription& d) {
    HWND box = CreateChildControl(L"BUTTON", WS_CLIPCHILDREN | BS_GROUPBOX, 0, parent, id, d);
    if (!box) return nullptr;
    auto* state = new GroupBoxState{ToColorref(d.textColour), ToColorref(d.background),
                                    ScopedGdiObj<HBRUSH>(CreateSolidBrush(ToColorref(d.background)))};
    if (!SetWindowSubclass(box, GroupBoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
        delete state;
        DestroyWindow(box);
        return nullptr;
    }
    // The table gives every group box the default GUI font.
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return box;
}
