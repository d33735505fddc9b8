#include "ControlSkin.h"

#include "Gdi.h"
#include "SkinRules.h"
#include "Text.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

static_assert(skin_style::kChild == WS_CHILD && skin_style::kTabStop == WS_TABSTOP);
static_assert(skin_style::kButtonTypeMask == BS_TYPEMASK && skin_style::kDefPushButton == BS_DEFPUSHBUTTON &&
              skin_style::kGroupBox == BS_GROUPBOX && skin_style::kOwnerDraw == BS_OWNERDRAW &&
              skin_style::kAutoRadioButton == BS_AUTORADIOBUTTON && skin_style::kUserButton == BS_USERBUTTON);
static_assert(skin_style::kBitmap == BS_BITMAP && skin_style::kPushLike == BS_PUSHLIKE);
static_assert(skin_style::kComboSimple == CBS_SIMPLE && skin_style::kComboDropDownList == CBS_DROPDOWNLIST);

constexpr UINT_PTR kSubclassId = 0x534b;

struct SkinnedControl {
    SkinKind kind;
    SkinFlags flags;
};

// The process's skin: the scheme in force (0 when off), the creation hook and
// the controls dressed now.
int g_style = 0;
HHOOK g_hook = nullptr;
std::vector<HWND> g_skinned;

Rgb FromColorref(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }
Rgb SystemRgb(int index) { return FromColorref(GetSysColor(index)); }

RECT Inset(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

void Fill(HDC dc, const RECT& r, Rgb colour) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    SetDCBrushColor(dc, ToColorref(colour));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, const RECT& r, Rgb colour) {
    SetDCBrushColor(dc, ToColorref(colour));
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A one-pixel frame whose corner pixels are left out, for a rounded look.
void FrameRounded(HDC dc, const RECT& r, Rgb colour) {
    Fill(dc, {r.left + 1, r.top, r.right - 1, r.top + 1}, colour);
    Fill(dc, {r.left + 1, r.bottom - 1, r.right - 1, r.bottom}, colour);
    Fill(dc, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, colour);
    Fill(dc, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, colour);
}

void FillShaded(HDC dc, const RECT& r, Shade shade) {
    const int rows = r.bottom - r.top;
    for (int row = 0; row < rows; ++row) {
        Fill(dc, {r.left, r.top + row, r.right, r.top + row + 1}, ShadeAt(shade, row, rows));
    }
}

std::wstring TextOf(HWND w) {
    const int length = GetWindowTextLengthW(w);
    if (length <= 0) return {};
    std::wstring text(length + 1, L'\0');
    text.resize(GetWindowTextW(w, text.data(), length + 1));
    return text;
}

HGDIOBJ FontOf(HWND w) {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0));
    return font ? font : GetStockObject(SYSTEM_FONT);
}

// Paints into a memory bitmap first, so the control never shows a half-drawn state.
class BufferedPaint {
public:
    BufferedPaint(HWND w, HDC target) : target_(target), memory_(CreateCompatibleDC(target)) {
        GetClientRect(w, &rect_);
        bitmap_.Reset(CreateCompatibleBitmap(target, rect_.right, rect_.bottom));
        select_.emplace(memory_, bitmap_.Get());
    }
    ~BufferedPaint() {
        BitBlt(target_, 0, 0, rect_.right, rect_.bottom, memory_, 0, 0, SRCCOPY);
        select_.reset();
        DeleteDC(memory_);
    }
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC Dc() const { return memory_; }

private:
    HDC target_;
    HDC memory_;
    RECT rect_{};
    ScopedGdiObj<HBITMAP> bitmap_;
    std::optional<ScopedSelectObject> select_;
};

// --- push button ---

void DrawButtonCaption(HWND w, HDC dc, RECT area, const PushButtonColours& colours, bool pressed) {
    const std::wstring text = TextOf(w);
    if (text.empty()) return;
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    UINT format = DT_WORDBREAK;
    switch (style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    default: format |= DT_CENTER; break;
    }
    ScopedSelectObject font(dc, FontOf(w));
    RECT measured = area;
    DrawTextW(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    int top = area.top + (area.bottom - area.top - height) / 2;
    if ((style & BS_VCENTER) == BS_TOP) top = area.top;
    if ((style & BS_VCENTER) == BS_BOTTOM) top = area.bottom - height;
    RECT place{area.left, top, area.right, top + height};
    if (pressed) OffsetRect(&place, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorref(colours.caption));
    DrawTextW(dc, text.c_str(), -1, &place, format);
}

void PaintPushButton(HWND w, const SkinnedControl& c, HDC dc) {
    RECT client;
    GetClientRect(w, &client);
    const SkinFlags& f = c.flags;
    const PushButtonColours colours = PushButtonColoursFor(g_style, f, SystemRgb(COLOR_BTNFACE));
    Fill(dc, client, colours.ring);
    const RECT border = Inset(client, 1);
    FrameRounded(dc, border, colours.border);
    const RECT band = Inset(border, 1);
    FillShaded(dc, band, colours.band);
    const RECT face = Inset(band, 2);
    FillShaded(dc, face, colours.face);
    DrawButtonCaption(w, dc, Inset(face, 1), colours, f.pressed && !f.disabled);
    if (f.focus && !f.disabled) {
        const RECT focus = Inset(face, 1);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

// --- group box ---

void PaintGroupBox(HWND w, HDC dc) {
    RECT client;
    GetClientRect(w, &client);
    // The box's own colours, as it answers the colour request its parent reflects.
    HBRUSH own = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(w), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w)));
    if (!own) {
        own = GetSysColorBrush(COLOR_BTNFACE);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    }
    const COLORREF text = GetTextColor(dc), background = GetBkColor(dc);
    FillRect(dc, &client, own);
    // The box's own painting supplies its inside; its frame and caption are overdrawn below.
    DefSubclassProc(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);

    ScopedSelectObject font(dc, FontOf(w));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring caption = TextOf(w);
    RECT extent{};
    if (!caption.empty()) DrawTextW(dc, caption.c_str(), -1, &extent, DT_SINGLELINE | DT_CALCRECT);
    const int captionRows = std::max<int>(metrics.tmHeight, extent.bottom);
    constexpr int kEdge = 3;  // wide enough to cover the box's own frame
    const RECT strips[] = {{client.left, client.top, client.right, client.top + captionRows + 1},
                           {client.left, client.top, client.left + kEdge, client.bottom},
                           {client.right - kEdge, client.top, client.right, client.bottom},
                           {client.left, client.bottom - kEdge, client.right, client.bottom}};
    for (const RECT& strip : strips) FillRect(dc, &strip, own);

    const RECT frame{client.left, client.top + metrics.tmHeight / 2, client.right, client.bottom};
    FrameRounded(dc, frame, GroupFrameColourFor(g_style));
    if (caption.empty()) return;

    const LONG style = GetWindowLongW(w, GWL_STYLE);
    const CaptionAlign align = (style & BS_CENTER) == BS_CENTER ? CaptionAlign::Centre
                               : (style & BS_CENTER) == BS_RIGHT ? CaptionAlign::Right
                                                                  : CaptionAlign::Left;
    const int width = extent.right;
    const int left = client.left + GroupCaptionLeft(align, client.right - client.left, width);
    RECT gap{left, client.top, left + width, client.top + captionRows};
    SetTextColor(dc, text);
    SetBkColor(dc, background);
    SetBkMode(dc, OPAQUE);
    Fill(dc, gap, FromColorref(background));
    DrawTextW(dc, caption.c_str(), -1, &gap, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

// --- edit box ---

bool HasBorder(HWND w) {
    return (GetWindowLongW(w, GWL_STYLE) & WS_BORDER) ||
           (GetWindowLongW(w, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

// dc has its origin at the window's top-left corner.
void PaintEditFrame(HWND w, const SkinnedControl& c, HDC dc) {
    if (!HasBorder(w)) return;
    RECT window;
    GetWindowRect(w, &window);
    const RECT outer{0, 0, window.right - window.left, window.bottom - window.top};
    const EditFrameColours colours =
        EditFrameColoursFor(g_style, c.flags, SystemRgb(COLOR_BTNFACE), SystemRgb(COLOR_WINDOW));
    Frame(dc, outer, colours.outer);
    Frame(dc, Inset(outer, 1), colours.inner);
}

// The two rings need two pixels on each side; a thin edge leaves only one.
LRESULT OnEditNcCalcSize(HWND w, WPARAM wp, LPARAM lp) {
    RECT* rect = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
    const RECT window = *rect;
    const LRESULT result = DefSubclassProc(w, WM_NCCALCSIZE, wp, lp);
    if (HasBorder(w)) {
        rect->left = std::max(rect->left, window.left + 2);
        rect->top = std::max(rect->top, window.top + 2);
        rect->right = std::max(rect->left, std::min(rect->right, window.right - 2));
        rect->bottom = std::max(rect->top, std::min(rect->bottom, window.bottom - 2));
    }
    return result;
}

void OnEditNcPaint(HWND w, const SkinnedControl& c, WPARAM wp) {
    DefSubclassProc(w, WM_NCPAINT, wp, 0);
    HDC dc = GetWindowDC(w);
    PaintEditFrame(w, c, dc);
    ReleaseDC(w, dc);
}

void RefreshFrame(HWND w) {
    SetWindowPos(w, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// --- the state every kind follows ---

void TrackLeave(HWND w) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, w, 0};
    TrackMouseEvent(&track);
}

// Brings the flags up to date with a message the control is about to handle;
// true when the control's look may change.
bool NoteStateChange(HWND w, UINT msg, WPARAM wp, SkinFlags& f) {
    switch (msg) {
    case WM_ENABLE: f.disabled = !wp; return true;
    case WM_SETFOCUS: f.focus = true; return true;
    case WM_KILLFOCUS: f.focus = false; return true;
    case WM_MOUSEMOVE:
        if (f.mouseOver) return false;
        f.mouseOver = true;
        TrackLeave(w);
        return true;
    case WM_MOUSELEAVE: f.mouseOver = false; return true;
    case BM_SETSTATE: f.pressed = wp != 0; return true;
    case BM_SETSTYLE: f.isDefault = (wp & BS_TYPEMASK) == BS_DEFPUSHBUTTON; return true;
    case EM_SETREADONLY: f.readOnly = wp != 0; return true;
    case WM_SETTEXT:
    case WM_UPDATEUISTATE: return true;  // the standard button repaints itself on these
    }
    return false;
}

void Forget(HWND w) { g_skinned.erase(std::remove(g_skinned.begin(), g_skinned.end(), w), g_skinned.end()); }

LRESULT OnNcDestroy(HWND w, SUBCLASSPROC proc, SkinnedControl* c, WPARAM wp, LPARAM lp) {
    RemoveWindowSubclass(w, proc, kSubclassId);
    Forget(w);
    delete c;
    return DefSubclassProc(w, WM_NCDESTROY, wp, lp);
}

// Paints now, over whatever the standard procedure just drew outside WM_PAINT.
template <typename Paint>
void PaintNow(HWND w, Paint paint) {
    if (!IsWindowVisible(w)) return;
    HDC dc = GetDC(w);
    {
        BufferedPaint buffer(w, dc);
        paint(buffer.Dc());
    }
    ReleaseDC(w, dc);
}

template <typename Paint>
LRESULT OnPaint(HWND w, Paint paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    {
        BufferedPaint buffer(w, dc);
        paint(buffer.Dc());
    }
    EndPaint(w, &ps);
    return 0;
}

LRESULT CALLBACK PushButtonProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* c = reinterpret_cast<SkinnedControl*>(ref);
    auto paint = [w, c](HDC dc) { PaintPushButton(w, *c, dc); };
    switch (msg) {
    case WM_PAINT: return OnPaint(w, paint);
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_ERASEBKGND: return 1;  // painting covers every pixel
    case WM_NCDESTROY: return OnNcDestroy(w, PushButtonProc, c, wp, lp);
    }
    const bool changed = NoteStateChange(w, msg, wp, c->flags);
    const LRESULT result = DefSubclassProc(w, msg, wp, lp);
    if (changed) PaintNow(w, paint);
    return result;
}

LRESULT CALLBACK GroupBoxProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* c = reinterpret_cast<SkinnedControl*>(ref);
    auto paint = [w](HDC dc) { PaintGroupBox(w, dc); };
    switch (msg) {
    case WM_PAINT: return OnPaint(w, paint);
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wp)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCDESTROY: return OnNcDestroy(w, GroupBoxProc, c, wp, lp);
    }
    const bool changed = NoteStateChange(w, msg, wp, c->flags);
    const LRESULT result = DefSubclassProc(w, msg, wp, lp);
    if (changed && (msg == WM_SETTEXT || msg == WM_ENABLE || msg == WM_UPDATEUISTATE)) PaintNow(w, paint);
    return result;
}

LRESULT CALLBACK EditBoxProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* c = reinterpret_cast<SkinnedControl*>(ref);
    switch (msg) {
    case WM_NCCALCSIZE: return OnEditNcCalcSize(w, wp, lp);
    case WM_NCPAINT: OnEditNcPaint(w, *c, wp); return 0;
    case WM_NCDESTROY: return OnNcDestroy(w, EditBoxProc, c, wp, lp);
    case WM_PRINT: {
        // The default printing moves the DC's origin to the client area and may leave it there.
        HDC dc = reinterpret_cast<HDC>(wp);
        const int saved = SaveDC(dc);
        const LRESULT result = DefSubclassProc(w, msg, wp, lp);
        RestoreDC(dc, saved);
        if (lp & PRF_NONCLIENT) PaintEditFrame(w, *c, dc);
        return result;
    }
    }
    const bool changed = NoteStateChange(w, msg, wp, c->flags);
    const LRESULT result = DefSubclassProc(w, msg, wp, lp);
    if (changed && (msg == WM_ENABLE || msg == EM_SETREADONLY)) {
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    return result;
}

// Kinds the program never creates keep the platform's look; the skin only follows their state.
LRESULT CALLBACK TrackedProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* c = reinterpret_cast<SkinnedControl*>(ref);
    if (msg == WM_NCDESTROY) return OnNcDestroy(w, TrackedProc, c, wp, lp);
    NoteStateChange(w, msg, wp, c->flags);
    return DefSubclassProc(w, msg, wp, lp);
}

SUBCLASSPROC ProcFor(SkinKind kind) {
    switch (kind) {
    case SkinKind::PushButton: return PushButtonProc;
    case SkinKind::GroupBox: return GroupBoxProc;
    case SkinKind::EditBox: return EditBoxProc;
    default: return TrackedProc;
    }
}

constexpr std::array<SUBCLASSPROC, 4> kProcs{PushButtonProc, GroupBoxProc, EditBoxProc, TrackedProc};

// The skin's state of a control and the procedure it hangs on, if any.
std::pair<SkinnedControl*, SUBCLASSPROC> StateOf(HWND w) {
    for (SUBCLASSPROC proc : kProcs) {
        DWORD_PTR ref = 0;
        if (GetWindowSubclass(w, proc, kSubclassId, &ref) && ref) {
            return {reinterpret_cast<SkinnedControl*>(ref), proc};
        }
    }
    return {nullptr, nullptr};
}

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = L"";
    GetClassNameW(w, name, 64);
    return name;
}

SkinFlags InitialFlags(HWND w, SkinKind kind) {
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    SkinFlags f;
    f.disabled = !IsWindowEnabled(w);
    f.focus = GetFocus() == w;
    if (kind == SkinKind::PushButton) {
        f.isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        f.pressed = (SendMessageW(w, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }
    if (kind == SkinKind::EditBox) f.readOnly = (style & ES_READONLY) != 0;
    return f;
}

void Restyle(HWND w) {
    if (StateOf(w).first) return;
    HWND parent = GetAncestor(w, GA_PARENT);
    const std::string className = Narrow(ClassOf(w));
    const SkinCandidate candidate{className, static_cast<std::uint32_t>(GetWindowLongW(w, GWL_STYLE)),
                                  parent && lstrcmpiW(ClassOf(parent).c_str(), L"SysIPAddress32") == 0,
                                  GetWindowTextLengthW(w) > 0};
    const SkinKind kind = ClassifyControl(candidate);
    if (!IsRestyled(kind)) return;
    auto state = std::make_unique<SkinnedControl>(SkinnedControl{kind, InitialFlags(w, kind)});
    if (!SetWindowSubclass(w, ProcFor(kind), kSubclassId, reinterpret_cast<DWORD_PTR>(state.get()))) return;
    state.release();  // owned by the control now, freed at WM_NCDESTROY
    g_skinned.push_back(w);
    if (kind == SkinKind::EditBox) RefreshFrame(w);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void Unskin(HWND w) {
    auto [state, proc] = StateOf(w);
    if (!state) return;
    RemoveWindowSubclass(w, proc, kSubclassId);
    const bool edit = state->kind == SkinKind::EditBox;
    delete state;
    if (edit) RefreshFrame(w);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

BOOL CALLBACK RestyleChild(HWND w, LPARAM) {
    Restyle(w);
    return TRUE;
}

// A top-level window and, depth first, everything inside it.
BOOL CALLBACK RestyleTree(HWND w, LPARAM) {
    Restyle(w);
    EnumChildWindows(w, RestyleChild, 0);
    return TRUE;
}

LRESULT CALLBACK FollowCreation(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (message->message == WM_CREATE && g_style != 0) Restyle(message->hwnd);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

int SwitchOff() {
    g_style = 0;
    const std::vector<HWND> dressed = std::move(g_skinned);
    g_skinned.clear();
    for (HWND w : dressed) Unskin(w);
    if (!g_hook) return 0;
    const BOOL unhooked = UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    return unhooked;
}

}  // namespace

int SetSkinStyle(int style) {
    if (!IsSkinScheme(style)) return SwitchOff();
    if (g_style != 0) SwitchOff();
    g_style = style;
    EnumThreadWindows(GetCurrentThreadId(), RestyleTree, 0);
    // Without the hook the present controls stay dressed; later windows keep their own look.
    g_hook = SetWindowsHookExW(WH_CALLWNDPROC, FollowCreation, nullptr, GetCurrentThreadId());
    return 1;
}

bool IsSkinned(HWND control) { return StateOf(control).first != nullptr; }

std::size_t SkinnedControlCount() { return g_skinned.size(); }
