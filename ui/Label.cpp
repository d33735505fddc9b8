#include "Label.h"

#include "ChildControl.h"
#include "Gdi.h"
#include "Text.h"

#include <string>

namespace {

constexpr wchar_t kLabelClass[] = L"TarveloLabel";

struct LabelState {
    COLORREF text;
    ScopedGdiObj<HBRUSH> background;
    HFONT font;
    bool ownsFont;
};

LabelState* State(HWND label) {
    return reinterpret_cast<LabelState*>(GetWindowLongPtrW(label, GWLP_USERDATA));
}

void Paint(HWND label, HDC dc) {
    LabelState* state = State(label);
    RECT rect;
    GetClientRect(label, &rect);
    FillRect(dc, &rect, state->background);
    std::wstring caption(GetWindowTextLengthW(label) + 1, L'\0');
    caption.resize(GetWindowTextW(label, caption.data(), static_cast<int>(caption.size())));
    ScopedSelectObject font(dc, state->font);
    SetTextColor(dc, state->text);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

bool OnNcCreate(HWND label, const CREATESTRUCTW* create) {
    const auto* d = static_cast<const ControlDescription*>(create->lpCreateParams);
    auto* state = new LabelState{ToColorref(d->textColour),
                                 ScopedGdiObj<HBRUSH>(CreateSolidBrush(ToColorref(d->background))),
                                 nullptr, false};
    state->font = CreateDescribedFont(d->font, state->ownsFont);
    SetWindowLongPtrW(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return true;
}

void OnNcDestroy(HWND label) {
    LabelState* state = State(label);
    SetWindowLongPtrW(label, GWLP_USERDATA, 0);
    if (state && state->ownsFont) DeleteObject(state->font);
    delete state;
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        OnNcCreate(label, reinterpret_cast<CREATESTRUCTW*>(lParam));
        break;
    case WM_NCDESTROY:
        OnNcDestroy(label);
        break;
    case WM_ERASEBKGND:
        return 1;  // the paint fills the whole label, so a new caption leaves no trace
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(label, &ps);
        Paint(label, dc);
        EndPaint(label, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(label, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(State(label)->font);
    }
    return DefWindowProcW(label, message, wParam, lParam);
}

void RegisterLabelClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, kLabelClass, &wc)) return;
    wc.lpfnWndProc = LabelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kLabelClass;
    RegisterClassExW(&wc);
}

}  // namespace

HFONT CreateDescribedFont(FontChoice font, bool& owned) {
    owned = font != FontChoice::DefaultGui;
    if (!owned) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, L"宋体");
}

HWND CreateLabel(HWND parent, int id, const ControlDescription& d) {
    RegisterLabelClass(GetModuleHandleW(nullptr));
    return CreateChildControl(kLabelClass, 0, 0, parent, id, d, &d);
}

void LabelCaption::SetCaption(std::string_view caption) {
    SetWindowTextW(label_, Widen(caption).c_str());
    InvalidateRect(label_, nullptr, FALSE);
}
