#include "MainWindow.h"

#include "Button.h"
#include "EditBox.h"
#include "GroupBox.h"
#include "HyperLinker.h"
#include "Label.h"
#include "Reflect.h"
#include "Text.h"

#include <optional>

namespace {

// What the level query reads from an edit box.
class EditText final : public TextSource {
public:
    explicit EditText(HWND edit) : edit_(edit) {}
    std::optional<std::string> ReadText() const override { return WindowTextUtf8(edit_); }

private:
    HWND edit_;
};

HWND CreateControl(HWND parent, int id, const ControlDescription& d) {
    switch (d.kind) {
    case ControlKind::EditBox: return CreateEditBox(parent, id, d);
    case ControlKind::GroupBox: return CreateGroupBox(parent, id, d);
    case ControlKind::Label: return CreateLabel(parent, id, d);
    case ControlKind::Button: return CreateQueryButton(parent, id, d);
    case ControlKind::HyperLinker: return CreateHyperLinker(parent, id, d);
    }
    return nullptr;
}

// Delivers what creation queued; it reaches no handler while events are held.
void ProcessWaitingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool RegisterWindowClass(HINSTANCE instance, LRESULT(CALLBACK* proc)(HWND, UINT, WPARAM, LPARAM)) {
    const std::wstring className = Widen(kMainWindow.className);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, className.c_str(), &wc)) return true;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className.c_str();
    return RegisterClassExW(&wc) != 0;
}

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

}  // namespace

bool MainWindow::Build(HINSTANCE instance, void (*onCreated)()) {
    ProcessWaitingMessages();
    eventsHeld_ = true;
    if (!RegisterWindowClass(instance, WindowProc)) return false;

    const int width = kMainWindow.width, height = kMainWindow.height;
    const int left = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), width);
    const int top = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), height);
    CreateWindowExW(WS_EX_APPWINDOW, Widen(kMainWindow.className).c_str(), Widen(kMainWindow.title).c_str(),
                    kWindowStyle, left, top, width, height, nullptr, nullptr, instance, this);
    if (!window_) return false;
    RECT outer;
    GetWindowRect(window_, &outer);
    if (outer.right - outer.left != width || outer.bottom - outer.top != height)
        SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    if (!CreateControls()) {
        DestroyWindow(window_);
        return false;
    }
    ProcessWaitingMessages();
    eventsHeld_ = false;

    onCreated();
    if (IsWindow(window_)) {
        ShowWindow(window_, SW_SHOWNORMAL);
        SetForegroundWindow(window_);
    }
    return true;
}

bool MainWindow::CreateControls() {
    for (size_t i = 0; i < kMainWindowControls.size(); ++i) {
        controls_[i] = CreateControl(window_, ControlId(static_cast<int>(i)), kMainWindowControls[i]);
        if (!controls_[i]) return false;
    }
    // Controls inside a group box move, hide and clip with it; their places
    // already count from the group box's corner.
    for (size_t i = 0; i < kMainWindowControls.size(); ++i) {
        const std::string_view parent = kMainWindowControls[i].parent;
        if (!parent.empty()) SetParent(controls_[i], controls_[ControlIndex(parent)]);
    }
    // Stored order is stacking order among siblings, the first on top; the
    // siblings clip each other so that overlapping ones show that order.
    for (HWND control : controls_) {
        SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | WS_CLIPSIBLINGS);
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (size_t i = 0; i < kMainWindowControls.size(); ++i)
        if (kMainWindowControls[i].visible) ShowWindow(controls_[i], SW_SHOWNA);
    return true;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
        for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
            int size = GetSystemMetrics(metric);
            HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(kWindowIconResource), IMAGE_ICON, size, size,
                                     LR_SHARED);
            SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
        }
        return 0;
    }
    case WM_ERASEBKGND:
        OnPaintBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PRINTCLIENT:
        OnPaintBackground(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnCtlColor(message, wParam, lParam);
    case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    case WM_NCDESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        PostQuitMessage(0);  // the program's last window is gone
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::OnPaintBackground(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, background_);
}

void MainWindow::OnCommand(WPARAM wParam) {
    if (eventsHeld_ || HIWORD(wParam) != BN_CLICKED) return;
    for (const PanelDescription& panel : kPanels)
        if (LOWORD(wParam) == ControlId(ControlIndex(panel.button))) RunQuery(panel);
}

void MainWindow::RunQuery(const PanelDescription& panel) {
    EditText input(controls_[ControlIndex(panel.input)]);
    LabelCaption first(controls_[ControlIndex(panel.firstLabel)]);
    LabelCaption second(controls_[ControlIndex(panel.secondLabel)]);
    LevelQuery(QueryPanel{input, first, second, panel.table}, boxes_);
}

LRESULT MainWindow::OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (LRESULT brush = SendMessageW(control, kReflectedCtlColor, wParam, message)) return brush;
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        return;
    }
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(window_, lastFocus_)) {
        SetFocus(lastFocus_);
    } else if (!focusOrder_.empty()) {
        SetFocus(controls_[focusOrder_.front()]);
    }
}

int MainWindow::IndexOf(HWND control) const {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] == control) return static_cast<int>(i);
    return -1;
}

bool MainWindow::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !window_ || (msg.hwnd != window_ && !IsChild(window_, msg.hwnd)))
        return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg.wParam) {
    case VK_TAB: {
        int current = IndexOf(GetFocus());
        int next = NextFocus(focusOrder_, current >= 0 ? std::optional<int>(current) : std::nullopt, !shift);
        if (next >= 0) SetFocus(controls_[next]);
        return true;
    }
    case VK_ESCAPE:
        if (shift) return false;
        PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    case VK_F1:
        return true;  // no help file
    }
    return false;  // Enter included: there is no default button
}
