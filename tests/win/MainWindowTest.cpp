// The built main window in process: its tree, the queries through the real
// controls, the Tab rule and Esc.
#include "MainWindow.h"
#include "Text.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool createdRan = false;
void RecordCreated() { createdRan = IsWindowVisible(FindWindowW(L"WTWindow", L"Tarvelo")) == FALSE; }

std::string ClassOf(HWND w) {
    wchar_t name[64];
    GetClassNameW(w, name, 64);
    return Narrow(name);
}

std::string TextOf(HWND w) { return WindowTextUtf8(w).value_or(""); }

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        createdRan = false;
        ASSERT_TRUE(window.Build(GetModuleHandleW(nullptr), RecordCreated));
        PumpMessages();
    }
    void TearDown() override {
        if (IsWindow(window.Handle())) DestroyWindow(window.Handle());
        PumpMessages();
        SetKey(VK_SHIFT, false);
    }
    HWND At(const char* name) { return window.Control(ControlIndex(name)); }
    void Query(const char* input, const char* button, const char* entry) {
        SetWindowTextW(At(input), Widen(entry).c_str());
        SendMessageW(At(button), BM_CLICK, 0, 0);
        PumpMessages();
    }
    bool Key(WPARAM vk) {
        MSG msg{};
        msg.hwnd = GetFocus();
        msg.message = WM_KEYDOWN;
        msg.wParam = vk;
        msg.lParam = 1;
        return window.PreTranslate(msg);
    }
    static void SetKey(int vk, bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[vk] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    MainWindow window;
};

TEST_F(MainWindowTest, WindowSettings) {
    HWND w = window.Handle();
    EXPECT_TRUE(createdRan) << "the created handler runs while the window is hidden";
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(ClassOf(w), "WTWindow");
    EXPECT_EQ(TextOf(w), "Tarvelo");
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 207);
    EXPECT_EQ(r.bottom - r.top, 389);
    EXPECT_EQ(r.left, CentredOrigin(GetSystemMetrics(SM_CXSCREEN), 207));
    EXPECT_EQ(r.top, CentredOrigin(GetSystemMetrics(SM_CYSCREEN), 389));
    LONG style = GetWindowLongW(w, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetFocus(), At("按钮1"));
}

TEST_F(MainWindowTest, ControlTreeFollowsTheDescription) {
    const char* classes[] = {"Edit", "Button", "TarveloLabel", "Button", "TarveloHyperLinker"};
    for (size_t i = 0; i < kMainWindowControls.size(); ++i) {
        const ControlDescription& d = kMainWindowControls[i];
        SCOPED_TRACE(std::string(d.name));
        HWND c = window.Control(static_cast<int>(i));
        ASSERT_TRUE(IsWindow(c));
        EXPECT_EQ(ClassOf(c), classes[static_cast<int>(d.kind)]);
        HWND parent = d.parent.empty() ? window.Handle() : At(std::string(d.parent).c_str());
        EXPECT_EQ(GetParent(c), parent);
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, d.left);
        EXPECT_EQ(r.top, d.top);
        EXPECT_EQ(r.right - r.left, d.width);
        if (d.kind != ControlKind::EditBox) {
            EXPECT_EQ(r.bottom - r.top, d.height);
        }
        EXPECT_EQ(TextOf(c), d.text);
        EXPECT_TRUE(IsWindowVisible(c));
        EXPECT_EQ(GetDlgCtrlID(c), ControlId(static_cast<int>(i)));
        EXPECT_EQ((GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP) != 0, d.tabStop);
    }
}

TEST_F(MainWindowTest, SiblingsStackInStoredOrder) {
    for (HWND parent : {window.Handle(), At("分组框1"), At("分组框2")}) {
        int previous = -1;
        for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            int index = GetDlgCtrlID(c) - ControlId(0);
            EXPECT_GT(index, previous) << TextOf(c);
            previous = index;
        }
    }
}

TEST_F(MainWindowTest, QueriesFillOnlyTheirOwnPanel) {
    Query("编辑框1", "按钮1", "12");
    EXPECT_EQ(TextOf(At("标签5")), "323401");
    EXPECT_EQ(TextOf(At("标签6")), "1900");
    EXPECT_EQ(TextOf(At("标签9")), "未查询！");
    Query("编辑框1", "按钮1", "26");
    EXPECT_EQ(TextOf(At("标签5")), "64574378   ");
    Query("编辑框2", "按钮4", "30");
    EXPECT_EQ(TextOf(At("标签9")), "???");
    EXPECT_EQ(TextOf(At("标签8")), "144100000");
    EXPECT_EQ(TextOf(At("标签5")), "64574378   ");
    Query("编辑框2", "按钮4", "0");  // no competitive row 0: nothing changes
    EXPECT_EQ(TextOf(At("标签9")), "???");
    EXPECT_EQ(TextOf(At("编辑框2")), "0") << "a query leaves the entry as it was";
}

// Closes the warning box from inside its own modal loop, noting what it said.
std::string boxCaption, boxText;

BOOL CALLBACK NoteBoxText(HWND c, LPARAM) {
    if (ClassOf(c) == "Static" && !TextOf(c).empty()) boxText = TextOf(c);
    return TRUE;
}

BOOL CALLBACK CloseBox(HWND w, LPARAM) {
    if (ClassOf(w) != "#32770" || !IsWindowVisible(w)) return TRUE;
    boxCaption = TextOf(w);
    EnumChildWindows(w, NoteBoxText, 0);
    PostMessageW(w, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK CloseWarning(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
    if (!boxCaption.empty()) KillTimer(nullptr, timer);
}

TEST_F(MainWindowTest, EmptyEntryWarnsWithoutOwner) {
    boxCaption.clear();
    boxText.clear();
    Query("编辑框1", "按钮1", "5");
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseWarning);
    Query("编辑框1", "按钮1", "");
    KillTimer(nullptr, timer);
    EXPECT_EQ(boxCaption, "提示");
    EXPECT_EQ(boxText, "你都还没输入等级呢！请重新输入！");
    EXPECT_EQ(TextOf(At("标签5")), "7952");
    EXPECT_EQ(TextOf(At("标签6")), "1000");
}

TEST_F(MainWindowTest, TabMovesBetweenTheTwoButtonsOnly) {
    struct Case { const char* from; bool shift; const char* to; };
    const Case cases[] = {
        {"编辑框1", false, "按钮1"}, {"编辑框1", true, "按钮4"},
        {"编辑框2", false, "按钮4"}, {"编辑框2", true, "按钮1"},
        {"按钮1", false, "按钮4"},   {"按钮1", true, "按钮4"},
        {"按钮4", false, "按钮1"},   {"按钮4", true, "按钮1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + (c.shift ? " Shift+Tab" : " Tab"));
        SetFocus(At(c.from));
        SetKey(VK_SHIFT, c.shift);
        EXPECT_TRUE(Key(VK_TAB));
        EXPECT_EQ(GetFocus(), At(c.to));
    }
}

TEST_F(MainWindowTest, EnterRunsNoQueryAndF1DoesNothing) {
    SetFocus(At("编辑框1"));
    SetWindowTextW(At("编辑框1"), L"12");
    EXPECT_FALSE(Key(VK_RETURN));
    EXPECT_TRUE(Key(VK_F1));
    PumpMessages();
    EXPECT_EQ(TextOf(At("标签5")), "未查询！");
}

TEST_F(MainWindowTest, EscClosesButShiftEscDoesNot) {
    SetFocus(At("编辑框1"));
    SetKey(VK_SHIFT, true);
    EXPECT_FALSE(Key(VK_ESCAPE));
    PumpMessages();
    EXPECT_TRUE(IsWindow(window.Handle()));
    SetKey(VK_SHIFT, false);
    EXPECT_TRUE(Key(VK_ESCAPE));
    PumpMessages();
    EXPECT_EQ(window.Handle(), nullptr);
}

TEST_F(MainWindowTest, FocusComesBackAfterReactivation) {
    SetFocus(At("按钮4"));
    SendMessageW(window.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(nullptr);
    SendMessageW(window.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), At("按钮4"));
}

}  // namespace
