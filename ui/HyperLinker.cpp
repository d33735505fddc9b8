#include "HyperLinker.h"

#include "ChildControl.h"
#include "Gdi.h"
#include "HandCursor.h"
#include "LinkRules.h"
#include "Text.h"

#include <shellapi.h>
#include <windowsx.h>

#include <optional>
#include <string>

namespace {

constexpr wchar_t kClassName[] = L"TarveloHyperLinker";

struct LinkState {
    std::wstring address;
    COLORREF normal;
    ScopedGdiObj<HBRUSH> background;
    bool hover = false;
    bool visited = false;
};

LinkState* State(HWND link) { return reinterpret_cast<LinkState*>(GetWindowLongPtrW(link, 0)); }

// The default value of HKEY_CLASSES_ROOT\`subkey`, read into a buffer of
// the fixed size: whatever the registry holds, a longer value fails the read.
std::optional<std::string> ReadClassesValue(const std::string& subkey) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char data[kRegistryTextCapacity];
    DWORD size = sizeof data, type = 0;
    const LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return RegistryText(std::string_view(data, size));
}

// WinExec takes an ANSI command line. The registered command is read as ANSI
// bytes, so its 260-byte limit counts the bytes WinExec gets and it reaches
// WinExec unconverted; only the address is converted, to the ANSI code page.
// (CreateProcessW would need its handles closed and the command line searched
// the way WinExec does, for no gain with ASCII addresses.) WinExec's success
// is any result above 31.
bool OpenWithHtmHandler(const std::wstring& address) {
    const std::optional<std::string> htmClass = ReadClassesValue(".htm");
    if (!htmClass) return false;
    const std::optional<std::string> command = ReadClassesValue(*htmClass + "\\shell\\open\\command");
    if (!command) return false;
    const int size = WideCharToMultiByte(CP_ACP, 0, address.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansiAddress(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, address.c_str(), -1, ansiAddress.data(), size, nullptr, nullptr);
    ansiAddress.resize(ansiAddress.size() - 1);
    return WinExec(FallbackCommandLine(*command, ansiAddress).c_str(), SW_SHOW) > 31;
}

bool OpenAddress(const std::wstring& address) {
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW));
    return result > 32 || OpenWithHtmHandler(address);
}

void Paint(HWND link, HDC dc, const LinkState& state) {
    RECT rect;
    GetClientRect(link, &rect);
    FillRect(dc, &rect, state.background);
    const int length = GetWindowTextLengthW(link);
    std::wstring text(length + 1, L'\0');
    text.resize(GetWindowTextW(link, text.data(), length + 1));
    if (text.empty()) text = state.address;
    ScopedSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, state.hover     ? ToColorref(kLinkHoverColour)
                     : state.visited ? ToColorref(kLinkVisitedColour)
                                     : state.normal);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void OnPaint(HWND link, const LinkState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(link, &ps);
    Paint(link, dc, state);
    EndPaint(link, &ps);
}

void EndHover(HWND link, LinkState& state) {
    if (!state.hover) return;
    state.hover = false;  // first, as releasing the capture comes back here
    if (GetCapture() == link) ReleaseCapture();
    InvalidateRect(link, nullptr, FALSE);
}

// Losing the capture ends the hover, so a pointer still inside simply starts
// it again with the next move.
void OnMouseMove(HWND link, LPARAM lParam, LinkState& state) {
    RECT rect;
    GetClientRect(link, &rect);
    const POINT pointer{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool inside = PtInRect(&rect, pointer);
    if (state.hover) {
        if (!inside) EndHover(link, state);
        return;
    }
    if (!inside) return;
    state.hover = true;
    InvalidateRect(link, nullptr, FALSE);
    SetCapture(link);
    // Under Wine a captured pointer that jumps off the window sends no move.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, link, 0};
    TrackMouseEvent(&track);
}

void OnButtonDown(HWND link, LinkState& state) {
    state.visited = !state.address.empty() && OpenAddress(state.address);
    InvalidateRect(link, nullptr, FALSE);
}

LRESULT OnNcCreate(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto& d = *static_cast<const ControlDescription*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    auto* state = new LinkState{Widen(d.address), ToColorref(d.textColour),
                                ScopedGdiObj<HBRUSH>(CreateSolidBrush(ToColorref(d.background)))};
    SetWindowLongPtrW(link, 0, reinterpret_cast<LONG_PTR>(state));
    return DefWindowProcW(link, message, wParam, lParam);
}

LRESULT CALLBACK HyperLinkerProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) return OnNcCreate(link, message, wParam, lParam);
    LinkState* state = State(link);
    if (!state) return DefWindowProcW(link, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: OnPaint(link, *state); return 0;
    case WM_PRINTCLIENT: Paint(link, reinterpret_cast<HDC>(wParam), *state); return 0;
    case WM_ERASEBKGND: return 1;  // painting fills the whole rectangle
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(link, message, wParam, lParam);
        InvalidateRect(link, nullptr, FALSE);
        return result;
    }
    case WM_MOUSEMOVE: OnMouseMove(link, lParam, *state); return 0;
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED: EndHover(link, *state); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(link, *state); return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(link, 0, 0);
        delete state;
        break;
    }
    return DefWindowProcW(link, message, wParam, lParam);
}

bool RegisterLinkClass(HINSTANCE instance) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kClassName, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HyperLinkerProc;
    wc.cbWndExtra = sizeof(LinkState*);
    wc.hInstance = instance;
    wc.hCursor = CreateHandCursor(instance);  // lives as long as the class
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace

HWND CreateHyperLinker(HWND parent, int id, const ControlDescription& d) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterLinkClass(instance)) return nullptr;
    return CreateChildControl(kClassName, 0, 0, parent, id, d, &d);
}
