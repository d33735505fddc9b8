#include "ControlSkin.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

namespace {

struct Colour {
    int r, g, b;
    friend bool operator==(Colour, Colour) = default;
    friend std::ostream& operator<<(std::ostream& os, Colour c) {
        return os << '(' << c.r << ',' << c.g << ',' << c.b << ')';
    }
};

Colour FromColorref(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }
Colour Face() { return FromColorref(GetSysColor(COLOR_BTNFACE)); }
Colour DarkFace() {
    const Colour f = Face();
    return {std::max(f.r - 32, 0), std::max(f.g - 32, 0), std::max(f.b - 32, 0)};
}

constexpr Colour kButtonBorder{55, 98, 6};
constexpr Colour kEditFrame{164, 185, 127};
constexpr Colour kGroupFrame{191, 184, 191};
constexpr Colour kGroupBackground{0, 255, 255};
constexpr Colour kGroupText{255, 0, 0};

// A rendering of a control into a 32-bit bitmap, read back pixel by pixel.
class Rendering {
public:
    // WM_PRINTCLIENT renders the client area; WM_PRINT with PRF_NONCLIENT the whole window.
    Rendering(HWND w, UINT message, LPARAM flags) {
        RECT r;
        if (message == WM_PRINT) {
            GetWindowRect(w, &r);
            OffsetRect(&r, -r.left, -r.top);
        } else {
            GetClientRect(w, &r);
        }
        width_ = r.right;
        height_ = r.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(w, message, reinterpret_cast<WPARAM>(dc), flags);
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(p, p + width_ * height_);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour At(int x, int y) const {
        const std::uint32_t v = pixels_[y * width_ + x];
        return {static_cast<int>((v >> 16) & 0xff), static_cast<int>((v >> 8) & 0xff), static_cast<int>(v & 0xff)};
    }
    int Count(Colour c, RECT in) const {
        int n = 0;
        for (int y = in.top; y < in.bottom; ++y)
            for (int x = in.left; x < in.right; ++x) n += At(x, y) == c;
        return n;
    }

private:
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

Rendering Client(HWND w) { return Rendering(w, WM_PRINTCLIENT, PRF_CLIENT | PRF_ERASEBKGND); }
Rendering Whole(HWND w) { return Rendering(w, WM_PRINT, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND); }

HBRUSH GroupBrush() {
    static HBRUSH brush = CreateSolidBrush(RGB(kGroupBackground.r, kGroupBackground.g, kGroupBackground.b));
    return brush;
}

// The test window answers its group box's colour request as the program's window does.
LRESULT CALLBACK TestWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLORSTATIC && GetWindowLongW(reinterpret_cast<HWND>(lp), GWL_STYLE) & BS_GROUPBOX) {
        SetTextColor(reinterpret_cast<HDC>(wp), RGB(kGroupText.r, kGroupText.g, kGroupText.b));
        SetBkColor(reinterpret_cast<HDC>(wp), RGB(kGroupBackground.r, kGroupBackground.g, kGroupBackground.b));
        return reinterpret_cast<LRESULT>(GroupBrush());
    }
    return DefWindowProcW(w, msg, wp, lp);
}

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSW window{};
    window.lpfnWndProc = TestWindowProc;
    window.hInstance = GetModuleHandleW(nullptr);
    window.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window.lpszClassName = L"SkinTestWindow";
    RegisterClassW(&window);
    WNDCLASSW custom{};
    custom.lpfnWndProc = DefWindowProcW;
    custom.hInstance = GetModuleHandleW(nullptr);
    custom.lpszClassName = L"SkinTestCustom";
    RegisterClassW(&custom);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
           DWORD exStyle = 0) {
    HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

class ControlSkin : public testing::Test {
protected:
    void SetUp() override {
        RegisterClasses();
        window_ = CreateWindowExW(0, L"SkinTestWindow", L"skin test", WS_POPUP | WS_VISIBLE, 40, 40, 300, 260,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(window_);
        button_ = Child(window_, L"BUTTON", L"OK", WS_TABSTOP | BS_PUSHBUTTON, 10, 10, 80, 26);
        group_ = Child(window_, L"BUTTON", L"Group", BS_GROUPBOX | WS_CLIPCHILDREN, 10, 50, 180, 80);
        edit_ = Child(window_, L"EDIT", L"12", ES_AUTOHSCROLL, 10, 140, 120, 20, WS_EX_STATICEDGE);
        custom_ = Child(window_, L"SkinTestCustom", L"custom", 0, 200, 10, 60, 20);
        label_ = Child(window_, L"STATIC", L"label", 0, 200, 40, 60, 20);
        PumpMessages();
    }
    void TearDown() override {
        SetSkinStyle(0);
        DestroyWindow(window_);
        PumpMessages();
    }
    static RECT ClientOf(HWND w) {
        RECT r;
        GetClientRect(w, &r);
        return r;
    }

    HWND window_ = nullptr, button_ = nullptr, group_ = nullptr, edit_ = nullptr, custom_ = nullptr,
         label_ = nullptr;
};

TEST_F(ControlSkin, SwitchingOnDressesTheStandardControlsOnly) {
    EXPECT_FALSE(IsSkinned(button_));
    EXPECT_EQ(SetSkinStyle(2), 1);
    EXPECT_TRUE(IsSkinned(button_));
    EXPECT_TRUE(IsSkinned(group_));
    EXPECT_TRUE(IsSkinned(edit_));
    EXPECT_FALSE(IsSkinned(custom_));
    EXPECT_FALSE(IsSkinned(label_));
    EXPECT_FALSE(IsSkinned(window_));

    // The controls' own painting on screen carries the skin, not only a rendering.
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    HDC screen = GetDC(nullptr);
    RECT b, e;
    GetWindowRect(button_, &b);
    GetWindowRect(edit_, &e);
    EXPECT_EQ(FromColorref(GetPixel(screen, b.left + 1, (b.top + b.bottom) / 2)), kButtonBorder);
    EXPECT_EQ(FromColorref(GetPixel(screen, e.left, (e.top + e.bottom) / 2)), kEditFrame);
    ReleaseDC(nullptr, screen);
}

TEST_F(ControlSkin, FollowsLaterWindowsOfThisThreadOnly) {
    ASSERT_EQ(SetSkinStyle(2), 1);
    HWND later = Child(window_, L"BUTTON", L"Later", BS_PUSHBUTTON, 100, 10, 80, 26);
    EXPECT_TRUE(IsSkinned(later));
    HWND laterLabel = Child(window_, L"STATIC", L"Later", 0, 100, 200, 80, 20);
    EXPECT_FALSE(IsSkinned(laterLabel));

    bool skinnedElsewhere = true;
    std::thread other([&] {
        HWND top = CreateWindowExW(0, L"SkinTestWindow", L"other", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        HWND button = Child(top, L"BUTTON", L"Other", BS_PUSHBUTTON, 0, 0, 80, 26);
        skinnedElsewhere = IsSkinned(button);
        DestroyWindow(top);
    });
    other.join();
    EXPECT_FALSE(skinnedElsewhere);

    const std::size_t before = SkinnedControlCount();
    DestroyWindow(later);
    EXPECT_EQ(SkinnedControlCount(), before - 1);  // a destroyed control is forgotten

    SetSkinStyle(0);
    HWND afterOff = Child(window_, L"BUTTON", L"After", BS_PUSHBUTTON, 100, 10, 80, 26);
    EXPECT_FALSE(IsSkinned(afterOff));
}

// Inside the message box's own loop: what the skin made of its OK button.
struct BoxObservation {
    bool seen = false;
    bool skinned = false;
    Colour border{}, bandTop{};
    int ticks = 0;
} g_box;

BOOL CALLBACK FindBox(HWND w, LPARAM found) {
    wchar_t cls[16] = L"";
    GetClassNameW(w, cls, 16);
    if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ObserveBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box && ++g_box.ticks < 50) return;
    KillTimer(nullptr, timer);
    if (!box) return;
    HWND ok = GetDlgItem(box, IDOK);
    g_box.seen = ok != nullptr;
    g_box.skinned = IsSkinned(ok);
    if (ok) {
        const Rendering r = Client(ok);
        g_box.border = r.At(1, r.Height() / 2);
        g_box.bandTop = r.At(r.Width() / 2, 2);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(ControlSkin, MessageBoxOkButtonIsDressedAsTheDefaultButton) {
    ASSERT_EQ(SetSkinStyle(2), 1);
    const std::size_t before = SkinnedControlCount();
    g_box = {};
    SetTimer(nullptr, 0, 100, ObserveBox);
    MessageBoxW(nullptr, L"text", L"caption", MB_OK | MB_TASKMODAL);
    ASSERT_TRUE(g_box.seen);
    EXPECT_TRUE(g_box.skinned);
    EXPECT_EQ(g_box.border, kButtonBorder);
    EXPECT_EQ(g_box.bandTop, (Colour{255, 240, 207}));  // the default button's band
    PumpMessages();
    EXPECT_EQ(SkinnedControlCount(), before);  // the box's buttons, used or not, are forgotten
}

TEST_F(ControlSkin, SwitchingOffGivesTheControlsTheirOwnLookBack) {
    const RECT editClient = ClientOf(edit_);
    ASSERT_EQ(SetSkinStyle(2), 1);
    EXPECT_EQ(ClientOf(edit_).right, editClient.right - 2);  // a pixel each side for the inner ring
    EXPECT_NE(SetSkinStyle(0), 0);  // unhooked
    for (HWND w : {button_, group_, edit_}) EXPECT_FALSE(IsSkinned(w));
    EXPECT_EQ(ClientOf(edit_).right, editClient.right);
    EXPECT_EQ(ClientOf(edit_).bottom, editClient.bottom);
    EXPECT_NE(Client(button_).At(1, 13), kButtonBorder);
    EXPECT_NE(Whole(edit_).At(0, 10), kEditFrame);
    for (int off : {0, -1, 4}) {
        EXPECT_EQ(SetSkinStyle(off), 0) << off;  // nothing to unhook any more
    }

    ASSERT_EQ(SetSkinStyle(1), 1);
    EXPECT_EQ(SetSkinStyle(-7), 1);
    EXPECT_FALSE(IsSkinned(button_));
}

TEST_F(ControlSkin, SwitchingOnTwiceDressesOnce) {
    const RECT editClient = ClientOf(edit_);
    ASSERT_EQ(SetSkinStyle(2), 1);
    const std::size_t once = SkinnedControlCount();
    ASSERT_EQ(SetSkinStyle(2), 1);
    EXPECT_EQ(SkinnedControlCount(), once);
    EXPECT_EQ(ClientOf(edit_).right, editClient.right - 2);
    EXPECT_EQ(Client(button_).At(1, 13), kButtonBorder);
    SetSkinStyle(0);
    EXPECT_EQ(SkinnedControlCount(), 0u);
    for (HWND w : {button_, group_, edit_}) EXPECT_FALSE(IsSkinned(w));
}

struct ButtonCase {
    const char* name;
    void (*apply)(HWND button);
    Colour border, bandTop, bandBottom, faceTop, faceBottom, caption;
};

const Colour kWhite{255, 255, 255};
const Colour kBlack{0, 0, 0};
const Colour kHotTop{255, 240, 207}, kHotBottom{229, 151, 0};
const Colour kFaceTop{252, 252, 251}, kFaceBottom{236, 225, 201};
const Colour kPressed{239, 227, 206}, kDisabled{245, 244, 234};

const ButtonCase kButtonCases[] = {
    {"Normal", [](HWND) {}, kButtonBorder, kWhite, {226, 223, 214}, kFaceTop, kFaceBottom, kBlack},
    {"MouseOver", [](HWND b) { SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }, kButtonBorder, kHotTop,
     kHotBottom, kFaceTop, kFaceBottom, kBlack},
    {"Focused", [](HWND b) { SetFocus(b); }, kButtonBorder, kHotTop, kHotBottom, kFaceTop, kFaceBottom, kBlack},
    {"Default", [](HWND b) { SendMessageW(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); }, kButtonBorder, kHotTop,
     kHotBottom, kFaceTop, kFaceBottom, kBlack},
    {"PressedUnderTheMouse",
     [](HWND b) {
         SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
         SendMessageW(b, BM_SETSTATE, TRUE, 0);
     },
     kButtonBorder, kPressed, kPressed, kPressed, kPressed, kBlack},
    {"Disabled", [](HWND b) { EnableWindow(b, FALSE); }, {}, kDisabled, kDisabled, kDisabled, kDisabled,
     {165, 162, 148}},
};

class ButtonLook : public ControlSkin, public testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonLook, RingBorderBandFaceAndCaption) {
    const ButtonCase& c = GetParam();
    ASSERT_EQ(SetSkinStyle(2), 1);
    c.apply(button_);
    if (std::string(c.name) == "Focused") {
        ASSERT_EQ(GetFocus(), button_);
    }
    const Rendering r = Client(button_);
    const int w = r.Width(), h = r.Height(), mid = w / 2;
    EXPECT_EQ(r.At(0, h / 2), Face()) << "outer ring";
    EXPECT_EQ(r.At(1, 1), Face()) << "rounded corner";
    EXPECT_EQ(r.At(1, h / 2), c.border == Colour{} ? DarkFace() : c.border) << "border";
    EXPECT_EQ(r.At(mid, 1), r.At(1, h / 2)) << "top border";
    EXPECT_EQ(r.At(mid, 2), c.bandTop) << "band top";
    EXPECT_EQ(r.At(mid, h - 3), c.bandBottom) << "band bottom";
    EXPECT_EQ(r.At(mid, 4), c.faceTop) << "face top";
    EXPECT_EQ(r.At(mid, h - 5), c.faceBottom) << "face bottom";
    EXPECT_GT(r.Count(c.caption, {4, 4, w - 4, h - 4}), 0) << "caption";
}

INSTANTIATE_TEST_SUITE_P(States, ButtonLook, testing::ValuesIn(kButtonCases),
                         [](const testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.name); });

// The box around the caption's dark pixels.
RECT CaptionBox(const Rendering& r) {
    RECT box{r.Width(), r.Height(), -1, -1};
    for (int y = 4; y < r.Height() - 4; ++y)
        for (int x = 4; x < r.Width() - 4; ++x) {
            const Colour c = r.At(x, y);
            if (c.r + c.g + c.b >= 300) continue;
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                   std::max<LONG>(box.bottom, y)};
        }
    return box;
}

TEST_F(ControlSkin, PressedCaptionMovesOnePixelRightAndDown) {
    ASSERT_EQ(SetSkinStyle(2), 1);
    const RECT normal = CaptionBox(Client(button_));
    ASSERT_GE(normal.right, normal.left);
    SendMessageW(button_, BM_SETSTATE, TRUE, 0);
    const RECT pressed = CaptionBox(Client(button_));
    EXPECT_EQ(pressed.left, normal.left + 1);
    EXPECT_EQ(pressed.top, normal.top + 1);
    SendMessageW(button_, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(CaptionBox(Client(button_)).left, normal.left);
}

TEST_F(ControlSkin, EditFrameFollowsReadOnlyAndEnabling) {
    ASSERT_EQ(SetSkinStyle(2), 1);
    const Colour window = FromColorref(GetSysColor(COLOR_WINDOW));
    struct Step { const char* state; void (*apply)(HWND); Colour outer, inner; };
    const Step steps[] = {
        {"normal", [](HWND) {}, kEditFrame, window},
        {"read-only", [](HWND e) { SendMessageW(e, EM_SETREADONLY, TRUE, 0); }, kEditFrame, Face()},
        {"disabled", [](HWND e) { EnableWindow(e, FALSE); }, DarkFace(), Face()},
        {"enabled, writable", [](HWND e) { EnableWindow(e, TRUE); SendMessageW(e, EM_SETREADONLY, FALSE, 0); },
         kEditFrame, window},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.state);
        s.apply(edit_);
        const Rendering r = Whole(edit_);
        const int w = r.Width(), h = r.Height();
        EXPECT_EQ(r.At(0, h / 2), s.outer);
        EXPECT_EQ(r.At(w / 2, 0), s.outer);
        EXPECT_EQ(r.At(w - 1, h - 1), s.outer);
        EXPECT_EQ(r.At(1, h / 2), s.inner);
        EXPECT_EQ(r.At(w / 2, h - 2), s.inner);
    }
}

TEST_F(ControlSkin, GroupFrameAndCaptionInTheBoxsOwnColours) {
    ASSERT_EQ(SetSkinStyle(2), 1);
    HDC dc = GetDC(group_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(group_, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SIZE caption{};
    GetTextExtentPoint32W(dc, L"Group", 5, &caption);
    SelectObject(dc, old);
    ReleaseDC(group_, dc);

    const Rendering r = Client(group_);
    const int w = r.Width(), h = r.Height(), top = tm.tmHeight / 2;
    EXPECT_EQ(r.At(0, h / 2), kGroupFrame);
    EXPECT_EQ(r.At(w - 1, h / 2), kGroupFrame);
    EXPECT_EQ(r.At(w / 2, h - 1), kGroupFrame);
    EXPECT_EQ(r.At(w - 20, top), kGroupFrame) << "top edge at half the caption height";
    EXPECT_EQ(r.At(w - 20, top - 1), kGroupBackground);
    EXPECT_EQ(r.At(0, h - 1), kGroupBackground) << "rounded corner";
    EXPECT_EQ(r.At(w / 2, h / 2), kGroupBackground) << "the box's own fill";
    EXPECT_EQ(r.At(9, top), kGroupFrame) << "frame up to the gap";
    EXPECT_EQ(r.Count(kGroupFrame, {10, top, 10 + caption.cx, top + 1}), 0) << "the gap";
    EXPECT_GT(r.Count(kGroupText, {10, 0, 10 + caption.cx, tm.tmHeight}), 0) << "caption colour";
    EXPECT_EQ(r.At(10 + caption.cx, top), kGroupFrame) << "frame after the gap";
}

}  // namespace
