// The edit box, group box, button and hyperlink kinds, driven in process
// through their messages and rendered into bitmaps.

#include "Button.h"
#include "EditBox.h"
#include "EditRules.h"
#include "GroupBox.h"
#include "HyperLinker.h"
#include "Reflect.h"
#include "Text.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr Rgb kRed{255, 0, 0}, kWhite{255, 255, 255}, kCyan{0, 255, 255}, kPale{223, 255, 255};
constexpr Rgb kBlue{0, 0, 255}, kGrey{128, 128, 128};

// Pixels are compared as COLORREF values, which gtest prints readably.
constexpr COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }

// What the test window saw of its controls' messages.
struct ParentLog {
    std::vector<int> commandIds;
    std::vector<HWND> colourRequesters;
};
ParentLog gLog;

// Reflects colour requests to the control that asked, as the main window does.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: gLog.commandIds.push_back(LOWORD(wParam)); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        gLog.colourRequesters.push_back(reinterpret_cast<HWND>(lParam));
        if (LRESULT r = SendMessageW(reinterpret_cast<HWND>(lParam), kReflectedCtlColor, wParam, message)) return r;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateParent() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = CreateSolidBrush(Ref(kGrey));
        wc.lpszClassName = L"ControlKindsTestParent";
        return RegisterClassExW(&wc);
    }();
    EXPECT_NE(atom, 0);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"ControlKindsTestParent", L"control kinds", WS_POPUP | WS_VISIBLE,
                                  40, 40, 320, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    return window;
}

ControlDescription Describe(ControlKind kind, std::string_view text, Rgb textColour, Rgb background,
                            int width = 48, int height = 20, std::string_view address = "") {
    return {"", kind, "", 10, 10, width, height, text, textColour, background, FontChoice::DefaultGui, address, false};
}

// A 32-bit top-down bitmap that a control paints into, or the screen is copied into.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        previous_ = SelectObject(dc_, bitmap_);
        std::fill(bits_, bits_ + width * height, 0x00010203);  // a colour nothing paints
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    static std::unique_ptr<Canvas> OfClient(HWND window) {
        RECT rect;
        GetClientRect(window, &rect);
        auto canvas = std::make_unique<Canvas>(rect.right, rect.bottom);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc_), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        return canvas;
    }
    // The window as it is on screen, frame included.
    static std::unique_ptr<Canvas> OfScreen(HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        auto canvas = std::make_unique<Canvas>(rect.right - rect.left, rect.bottom - rect.top);
        HDC screen = GetDC(nullptr);
        BitBlt(canvas->dc_, 0, 0, canvas->width_, canvas->height_, screen, rect.left, rect.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        GdiFlush();
        return canvas;
    }

    COLORREF At(int x, int y) const {
        const std::uint32_t p = bits_[y * width_ + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
    int Count(COLORREF colour, RECT area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += At(x, y) == colour;
        return n;
    }
    int Count(COLORREF colour) const { return Count(colour, {0, 0, width_, height_}); }
    bool SamePixels(const Canvas& other) const {
        return width_ == other.width_ && height_ == other.height_ &&
               std::equal(bits_, bits_ + width_ * height_, other.bits_);
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

class ControlKinds : public testing::Test {
protected:
    // One test window for all: under Wine destroying a shown top-level
    // window takes two seconds, so it is left to the end of the process.
    static void SetUpTestSuite() { parent_ = CreateParent(); }
    void SetUp() override {
        ASSERT_NE(parent_, nullptr);
        gLog = {};
    }
    void TearDown() override {
        while (HWND child = GetWindow(parent_, GW_CHILD)) DestroyWindow(child);
        PumpMessages();
    }
    HWND Edit(int height = 20) {
        HWND edit = CreateEditBox(parent_, 10, Describe(ControlKind::EditBox, "", kRed, kWhite, 48, height));
        EXPECT_NE(edit, nullptr);
        return edit;
    }
    static inline HWND parent_ = nullptr;
};

TEST_F(ControlKinds, EachKindIsCreatedHiddenWithItsSettings) {
    HWND edit = Edit();
    HWND group = CreateGroupBox(parent_, 11, Describe(ControlKind::GroupBox, "g", kRed, kCyan, 100, 80));
    HWND button = CreateQueryButton(parent_, 12, Describe(ControlKind::Button, "查询", kRed, kPale, 56, 24));
    HWND link = CreateHyperLinker(parent_, 13, Describe(ControlKind::HyperLinker, "l", kBlue, kPale, 100, 32));
    ASSERT_TRUE(edit && group && button && link);
    for (HWND control : {edit, group, button, link}) {
        EXPECT_FALSE(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE);
        EXPECT_EQ(GetParent(control), parent_);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)) == GetStockObject(DEFAULT_GUI_FONT),
                  control != link);  // the link draws in that font without being told
    }
    EXPECT_EQ(GetDlgCtrlID(link), 13);

    const LONG editStyle = GetWindowLongW(edit, GWL_STYLE);
    EXPECT_FALSE(editStyle & (ES_NOHIDESEL | WS_TABSTOP | ES_MULTILINE | ES_PASSWORD | ES_NUMBER));
    EXPECT_TRUE(editStyle & ES_AUTOHSCROLL);
    EXPECT_TRUE(GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_STATICEDGE);

    const LONG buttonStyle = GetWindowLongW(button, GWL_STYLE);
    EXPECT_EQ(buttonStyle & BS_TYPEMASK, BS_PUSHBUTTON);  // not the default button
    EXPECT_EQ(buttonStyle & (WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE),
              WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE);
    EXPECT_EQ(WindowText(button), L"查询");

    EXPECT_EQ(GetWindowLongW(group, GWL_STYLE) & (BS_TYPEMASK | WS_CLIPCHILDREN), BS_GROUPBOX | WS_CLIPCHILDREN);

    // The pointing hand: 32 x 32 (a monochrome mask holds AND and XOR halves), tip at (6, 1).
    ICONINFO cursor{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HCURSOR>(GetClassLongPtrW(link, GCLP_HCURSOR)), &cursor));
    BITMAP mask{};
    GetObjectW(cursor.hbmMask, sizeof mask, &mask);
    EXPECT_FALSE(cursor.fIcon);
    EXPECT_EQ(cursor.xHotspot, 6u);
    EXPECT_EQ(cursor.yHotspot, 1u);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, cursor.hbmColor ? 32 : 64);
    DeleteObject(cursor.hbmMask);
    if (cursor.hbmColor) DeleteObject(cursor.hbmColor);
}

TEST_F(ControlKinds, TypedCharactersPassOnlyAsDigitsAndMinus) {
    struct Case { std::wstring typed, expected; };
    const Case cases[] = {
        {L"a1.2 -", L"12-"},
        {L"-1--2-", L"-1--2-"},
        {L"+ .,xZ", L""},
        {L"中文１２－", L""},                    // input-method text, full-width digits and minus
        {std::wstring{0xB0, 0xA1, 0xA3, 0xB1, '7'}, L"7"},  // GBK byte values as characters
        {L"12\b3", L"13"},                     // Backspace is a control code and passes
    };
    HWND edit = Edit();
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.typed));
        SetWindowTextW(edit, L"");
        for (wchar_t ch : c.typed) SendMessageW(edit, WM_CHAR, ch, 1);
        EXPECT_EQ(WindowText(edit), c.expected);
    }
    // Inserted at the caret, replacing the selection.
    SetWindowTextW(edit, L"12");
    SendMessageW(edit, EM_SETSEL, 1, 1);
    SendMessageW(edit, WM_CHAR, '-', 1);
    EXPECT_EQ(WindowText(edit), L"1-2");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, '9', 1);
    EXPECT_EQ(WindowText(edit), L"9");
    // Characters of an input method go through the same filter.
    for (wchar_t ch : std::wstring(L"中5１-")) SendMessageW(edit, WM_IME_CHAR, ch, 1);
    PumpMessages();  // the default handling may post them on as WM_CHAR
    EXPECT_EQ(WindowText(edit), L"95-");
}

TEST_F(ControlKinds, PastedTextIsKeptUnchangedAfterTheFocusLeaves) {
    HWND edit = Edit();
    HWND button = CreateQueryButton(parent_, 12, Describe(ControlKind::Button, "查询", kRed, kPale, 56, 24));
    ShowWindow(edit, SW_SHOWNA);
    ShowWindow(button, SW_SHOWNA);
    const std::wstring pasted = L"ab １2 .+中";
    ASSERT_TRUE(PutOnClipboard(parent_, pasted));

    SetFocus(edit);
    SendMessageW(edit, WM_CHAR, '5', 1);
    SendMessageW(edit, WM_PASTE, 0, 0);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" x"));
    SetFocus(button);
    PumpMessages();
    EXPECT_EQ(GetFocus(), button);
    EXPECT_EQ(WindowText(edit), L"5" + pasted + L" x");

    // No length limit: far beyond the system's default of 30000 characters.
    const std::wstring longText(40000, L'7');
    SetWindowTextW(edit, L"");
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(longText.c_str()));
    EXPECT_EQ(GetWindowTextLengthW(edit), 40000);
}

TEST_F(ControlKinds, EditLineIsCentredAndTheStripsTakeTheBackground) {
    HDC dc = GetDC(nullptr);
    SIZE w{};
    {
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32W(dc, L"W", 1, &w);
        SelectObject(dc, old);
    }
    ReleaseDC(nullptr, dc);
    const int border = GetSystemMetrics(SM_CYBORDER);  // a static edge is one border wide

    for (int stored : {20, 25, 8}) {
        SCOPED_TRACE(stored);
        HWND edit = Edit(stored);
        RECT window, client;
        GetWindowRect(edit, &window);
        const int height = window.bottom - window.top;
        EXPECT_EQ(height, RaisedEditHeight(stored, w.cy, GetSystemMetrics(SM_CYEDGE)));
        GetClientRect(edit, &client);
        MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const LineBand expected = CentredLine({border, height - border}, w.cy);
        EXPECT_EQ((LineBand{int(client.top - window.top), int(client.bottom - window.top)}), expected);

        RECT format{};
        SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        EXPECT_GE(format.top, 0);
        EXPECT_LE(format.bottom, client.bottom - client.top);

        // A click in the strip above the line is not a click into the text.
        if (expected.top > border) {
            EXPECT_NE(SendMessageW(edit, WM_NCHITTEST, 0, MAKELPARAM(window.left + 20, window.top + border)),
                      HTCLIENT);
        }
        DestroyWindow(edit);
    }

    // On screen: the strips and the line in white, the digits in red, on the grey window.
    HWND edit = Edit(26);
    ShowWindow(edit, SW_SHOWNA);
    for (wchar_t ch : std::wstring(L"8888")) SendMessageW(edit, WM_CHAR, ch, 1);
    RedrawWindow(parent_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    auto shot = Canvas::OfScreen(edit);
    RECT window;
    GetWindowRect(edit, &window);
    const RECT inside{border, border, window.right - window.left - border, window.bottom - window.top - border};
    RECT client;
    GetClientRect(edit, &client);
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    EXPECT_EQ(shot->Count(Ref(kWhite), {inside.left, inside.top, inside.right, client.top}),
              (inside.right - inside.left) * (client.top - inside.top));
    EXPECT_EQ(shot->Count(Ref(kWhite), {inside.left, client.bottom, inside.right, inside.bottom}),
              (inside.right - inside.left) * (inside.bottom - client.bottom));
    EXPECT_GT(shot->Count(Ref(kRed), client), 0);
    EXPECT_EQ(shot->Count(Ref(kGrey), inside), 0);
}

TEST_F(ControlKinds, GroupBoxFillsItsRectangleAndDrawsFrameAndCaption) {
    HWND group = CreateGroupBox(parent_, 11, Describe(ControlKind::GroupBox, "Mibo堂 竞技", kRed, kCyan, 150, 80));
    ASSERT_NE(group, nullptr);
    auto canvas = Canvas::OfClient(group);
    TEXTMETRICW metrics{};
    {
        HDC dc = GetDC(group);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(group, dc);
    }
    const int frameTop = metrics.tmHeight / 2;
    EXPECT_EQ(canvas->Count(RGB(1, 2, 3)), 0);            // every pixel painted
    EXPECT_EQ(canvas->At(75, 50), Ref(kCyan));                  // inside the frame
    EXPECT_EQ(canvas->At(75, frameTop - 2), Ref(kCyan));        // above the frame too
    EXPECT_NE(canvas->At(0, 50), Ref(kCyan));                   // the frame's left edge
    EXPECT_NE(canvas->At(140, frameTop), Ref(kCyan));           // its top edge right of the caption
    EXPECT_EQ(canvas->At(9, frameTop), Ref(kCyan));             // the caption's gap
    EXPECT_GT(canvas->Count(Ref(kRed), {8, 0, 150, metrics.tmHeight}), 10);
    EXPECT_EQ(canvas->Count(Ref(kRed), {0, metrics.tmHeight, 150, 80}), 0);

    // A new caption is drawn by the box, not by the system's look.
    SetWindowTextW(group, L"");
    canvas = Canvas::OfClient(group);
    EXPECT_EQ(canvas->Count(Ref(kRed)), 0);

    // The colours it answers for itself when the skin asks.
    HDC dc = GetDC(group);
    EXPECT_NE(SendMessageW(group, kReflectedCtlColor, reinterpret_cast<WPARAM>(dc), WM_CTLCOLORSTATIC), 0);
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 255, 255));
    EXPECT_EQ(SendMessageW(group, kReflectedCtlColor, reinterpret_cast<WPARAM>(dc), WM_CTLCOLOREDIT), 0);
    ReleaseDC(group, dc);
}

TEST_F(ControlKinds, GroupBoxPassesItsChildrensMessagesToItsParent) {
    HWND group = CreateGroupBox(parent_, 11, Describe(ControlKind::GroupBox, "g", kRed, kCyan, 150, 80));
    HWND edit = CreateEditBox(group, 21, Describe(ControlKind::EditBox, "", kRed, kWhite));
    ASSERT_TRUE(group && edit);
    ShowWindow(group, SW_SHOWNA);
    ShowWindow(edit, SW_SHOWNA);
    SendMessageW(edit, WM_CHAR, '4', 1);  // EN_UPDATE and EN_CHANGE
    UpdateWindow(parent_);
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_NE(std::find(gLog.commandIds.begin(), gLog.commandIds.end(), 21), gLog.commandIds.end());
    EXPECT_NE(std::find(gLog.colourRequesters.begin(), gLog.colourRequesters.end(), edit),
              gLog.colourRequesters.end());
    // The edit box's own answer came back through the group box.
    HDC dc = GetDC(edit);
    const LRESULT brush = SendMessageW(group, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    ReleaseDC(edit, dc);
}

// --- Hyperlinks -------------------------------------------------------------

// Which of its three colours a link shows its text in: "normal", "hover",
// "visited", or "none" when none or several of them appear.
std::string TextColour(HWND link) {
    auto canvas = Canvas::OfClient(link);
    EXPECT_EQ(canvas->At(0, 0), Ref(kPale));
    struct Named { Rgb colour; const char* name; };
    std::string found = "none";
    for (Named c : {Named{kBlue, "normal"}, Named{kLinkHoverColour, "hover"}, Named{kLinkVisitedColour, "visited"}}) {
        if (canvas->Count(Ref(c.colour)) == 0) continue;
        if (found != "none") return "several";
        found = c.name;
    }
    return found;
}

HWND Link(HWND parent, std::string_view address, std::string_view caption = "→制作人：Ostrel←") {
    HWND link = CreateHyperLinker(parent, 13, Describe(ControlKind::HyperLinker, caption, kBlue, kPale, 184, 32, address));
    EXPECT_NE(link, nullptr);
    ShowWindow(link, SW_SHOWNA);
    return link;
}

TEST_F(ControlKinds, LinkTakesTheHoverColourWhileThePointerIsOver) {
    HWND link = Link(parent_, "");
    EXPECT_EQ(TextColour(link), "normal");
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(TextColour(link), "hover");
    EXPECT_EQ(GetCapture(), link);
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(30, 12));
    EXPECT_EQ(TextColour(link), "hover");
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(-3, 12));  // captured: outside the link
    EXPECT_EQ(TextColour(link), "normal");
    EXPECT_NE(GetCapture(), link);

    // Losing the capture or the pointer ends the hover as well.
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    ReleaseCapture();
    EXPECT_EQ(TextColour(link), "normal");
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    SendMessageW(link, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(TextColour(link), "normal");
    EXPECT_NE(GetCapture(), link);
}

TEST_F(ControlKinds, LinkWithoutCaptionShowsItsAddress) {
    HWND bare = Link(parent_, "www.a.example", "");
    HWND captioned = Link(parent_, "", "www.a.example");
    EXPECT_TRUE(Canvas::OfClient(bare)->SamePixels(*Canvas::OfClient(captioned)));
    EXPECT_FALSE(Canvas::OfClient(bare)->SamePixels(*Canvas::OfClient(Link(parent_, "", "www.b.example"))));
}

// A class key under HKEY_CLASSES_ROOT, put back as it was when the test ends.
// Wine's HKEY_CLASSES_ROOT does not show HKEY_CURRENT_USER\Software\Classes,
// so the test writes the classes themselves, in its own prefix.
class ScopedClass {
public:
    explicit ScopedClass(std::wstring name) : path_(std::move(name)) {
        HKEY key;
        existed_ = RegOpenKeyExW(HKEY_CLASSES_ROOT, path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (existed_) {
            wchar_t value[1024]{};
            DWORD size = sizeof value - sizeof(wchar_t);
            if (RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS)
                saved_ = value;
            RegCloseKey(key);
        }
    }
    ~ScopedClass() {
        if (!existed_) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, path_.c_str());
        } else if (saved_) {
            Set(L"", Narrow(*saved_));
        }
    }
    ScopedClass(const ScopedClass&) = delete;
    ScopedClass& operator=(const ScopedClass&) = delete;

    // Sets the default value (or the value `name`) of the key or of a subkey.
    void Set(const std::wstring& subkey, const std::string& value, const std::wstring& name = L"") const {
        const std::wstring path = subkey.empty() ? path_ : path_ + L"\\" + subkey;
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const std::wstring wide = Widen(value);
        RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(wide.c_str()), DWORD((wide.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

private:
    std::wstring path_;
    bool existed_ = false;
    std::optional<std::wstring> saved_;
};

std::string TempFile(const char* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::string path = Narrow(dir) + name;
    DeleteFileW(Widen(path).c_str());
    return path;
}

// What a started command wrote into `path`, waiting for it a few seconds.
std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 100; ++i) {
        std::ifstream in(Widen(path).c_str());
        std::stringstream text;
        text << in.rdbuf();
        if (text.str().find('\n') != std::string::npos) return text.str();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

const std::string kCmd = "C:\\windows\\system32\\cmd.exe";

TEST_F(ControlKinds, LinkOpensItsAddressThroughTheShellOnButtonDown) {
    ScopedClass scheme(L"tarvelofake");
    const std::string log = TempFile("tarvelo-shell.txt");
    scheme.Set(L"", "URL:tarvelofake", L"");
    scheme.Set(L"", "", L"URL Protocol");
    scheme.Set(L"shell\\open\\command", kCmd + " /c echo %1>\"" + log + "\"");

    HWND link = Link(parent_, "tarvelofake:chat?id=1");
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));  // no button-up needed
    EXPECT_NE(WaitForFile(log).find("tarvelofake:chat?id=1"), std::string::npos);
    EXPECT_EQ(TextColour(link), "visited");
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(TextColour(link), "hover");
    SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(500, 10));
    EXPECT_EQ(TextColour(link), "visited");
}

TEST_F(ControlKinds, FailedOpenFallsBackToTheHtmCommand) {
    ScopedClass htm(L".htm");
    ScopedClass handler(L"TarveloTestPage");
    htm.Set(L"", "TarveloTestPage");
    const std::string log = TempFile("tarvelo-fallback.txt");
    // The quoted %1 and what follows it give way to the address.
    handler.Set(L"shell\\open\\command", kCmd + " /c >\"" + log + "\" echo [\"%1\"] -ignored");

    HWND link = Link(parent_, "tarvelonone:page");  // no handler for the scheme
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    EXPECT_EQ(WaitForFile(log), "[ tarvelonone:page\n");
    EXPECT_EQ(TextColour(link), "visited");

    // Whatever else the registry holds, a failed fallback clears the mark and
    // shows nothing.
    struct Case { const char* name; std::string htmClass, command; };
    const Case failures[] = {
        {"no such program", "TarveloTestPage", "C:\\nowhere\\none.exe \"%1\""},
        {"command longer than its buffer", "TarveloTestPage", kCmd + " /c echo " + std::string(300, 'x') + " %1"},
        {"class longer than its buffer", std::string(300, 'C'), kCmd + " /c echo %1"},
        {"class without a command", "TarveloNoSuchClass", kCmd + " /c echo %1"},
    };
    for (const Case& c : failures) {
        SCOPED_TRACE(c.name);
        htm.Set(L"", c.htmClass);
        handler.Set(L"shell\\open\\command", c.command);
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
        EXPECT_EQ(TextColour(link), "normal");  // the first case clears the mark
    }
    PumpMessages();
    EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr);  // no message box

    HWND empty = Link(parent_, "");
    SendMessageW(empty, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    EXPECT_EQ(TextColour(empty), "normal");
}

}  // namespace
