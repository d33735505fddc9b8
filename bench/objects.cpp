// Counts the process's GDI and USER objects (see GuiObjects.h) around long
// runs of what a user does to the real main window with the skin on, and
// times queries through the buttons' click path. Prints markdown rows for
// scripts/bench.
#include "ControlSkin.h"
#include "GuiObjects.h"
#include "MainWindow.h"
#include "Text.h"

#include <cstdio>
#include <string>

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SkinOn() { SetSkinStyle(2); }

// The counting method's own check: N more objects of each kind are seen as
// exactly N more each, and as none once deleted. A window stays open
// throughout: the thread's first window also makes an input-method window.
bool CounterSeesObjects() {
    constexpr int kEach = 50;
    HWND first = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    HDC screen = GetDC(nullptr);
    const GuiObjectCount before = CountGuiObjects();
    HGDIOBJ gdi[3 * kEach];
    for (int i = 0; i < kEach; ++i) {
        gdi[3 * i] = CreateSolidBrush(RGB(i, 0, 0));
        gdi[3 * i + 1] = CreateFontW(12 + i, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        gdi[3 * i + 2] = CreateCompatibleBitmap(screen, 4, 4);
    }
    const GuiObjectCount withGdi = CountGuiObjects();
    for (HGDIOBJ object : gdi) DeleteObject(object);
    const GuiObjectCount gdiDeleted = CountGuiObjects();

    HANDLE user[3 * kEach];
    BYTE bits[32 * 4]{};
    for (int i = 0; i < kEach; ++i) {
        user[3 * i] = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        user[3 * i + 1] = CreateMenu();
        user[3 * i + 2] = CreateIcon(nullptr, 32, 32, 1, 1, bits, bits);
    }
    const GuiObjectCount withUser = CountGuiObjects();
    for (int i = 0; i < kEach; ++i) {
        DestroyWindow(static_cast<HWND>(user[3 * i]));
        DestroyMenu(static_cast<HMENU>(user[3 * i + 1]));
        DestroyIcon(static_cast<HICON>(user[3 * i + 2]));
    }
    const GuiObjectCount after = CountGuiObjects();
    ReleaseDC(nullptr, screen);
    DestroyWindow(first);
    std::printf("| counter check: %d each of brushes, fonts, bitmaps | %ld → %ld → %ld | | %+ld GDI |\n", kEach,
                before.gdi, withGdi.gdi, gdiDeleted.gdi, withGdi.gdi - before.gdi);
    std::printf("| counter check: %d each of windows, menus, icons (each icon keeps its mask as a bitmap) | %ld → %ld → %ld | %ld → %ld → %ld |"
                " %+ld GDI, %+ld USER |\n",
                kEach, gdiDeleted.gdi, withUser.gdi, after.gdi, before.user, withUser.user, after.user,
                withUser.gdi - gdiDeleted.gdi, withUser.user - before.user);
    return withGdi.gdi - before.gdi == 3 * kEach && gdiDeleted == before &&
           withUser.user - before.user == 3 * kEach && after == before;
}

class Bench {
public:
    explicit Bench(MainWindow& window) : window_(window) {}

    void Query(int panel, const std::wstring& entry) {
        SetWindowTextW(Control(kPanels[panel].input), entry.c_str());
        SendMessageW(Control(kPanels[panel].button), BM_CLICK, 0, 0);
        Pump();
    }

    // Entries that match a row, match none, or are out of range; never empty.
    void Queries(int panel) {
        static const wchar_t* const kEntries[] = {L"1", L"12", L"26", L"30", L"0", L"-5", L"100000", L"7"};
        for (const wchar_t* entry : kEntries) Query(panel, entry);
    }

    // In with the pointer and a move, then out: the link follows its capture,
    // the skinned button its tracked leave.
    void Hover(const char* name, bool tracksLeave) {
        HWND control = Control(name);
        POINT inside{10, 8};
        ClientToScreen(control, &inside);
        SetCursorPos(inside.x, inside.y);
        SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(10, 8));
        Pump();
        SetCursorPos(0, 0);
        POINT outside{0, 0};
        ScreenToClient(control, &outside);
        SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(outside.x, outside.y));
        if (tracksLeave) SendMessageW(control, WM_MOUSELEAVE, 0, 0);
        Pump();
    }

    void MinimiseRestore() {
        ShowWindow(window_.Handle(), SW_MINIMIZE);
        Pump();
        ShowWindow(window_.Handle(), SW_RESTORE);
        Pump();
    }

    // Runs `cycle` `times` times; one row of counts before and after. True
    // when nothing grew.
    template <typename Cycle>
    bool Counted(const char* what, int times, Cycle cycle) {
        cycle();  // anything made once, on first use, is not growth
        const GuiObjectCount before = CountGuiObjects();
        for (int i = 0; i < times; ++i) cycle();
        const GuiObjectCount after = CountGuiObjects();
        std::printf("| %d × %s | %ld → %ld | %ld → %ld | %+ld GDI, %+ld USER |\n", times, what, before.gdi,
                    after.gdi, before.user, after.user, after.gdi - before.gdi, after.user - before.user);
        return after == before;
    }

    void Timed(int panel, const char* what) {
        Query(panel, L"12");
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        for (int i = 0; i < 10000; ++i) Query(panel, i % 2 ? L"12" : L"26");
        QueryPerformanceCounter(&end);
        const double ms = 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
        std::printf("| 10,000 queries, %s (BM_CLICK, messages pumped) | %.0f ms | %.1f µs each | |\n", what, ms,
                    ms / 10.0);
    }

private:
    HWND Control(std::string_view name) const { return window_.Control(ControlIndex(name)); }
    MainWindow& window_;
};

}  // namespace

int main() {
    std::printf("| objects (GDI, USER) | GDI | USER | growth |\n|---|---|---|---|\n");
    bool ok = CounterSeesObjects();

    MainWindow window;
    if (!window.Build(GetModuleHandleW(nullptr), SkinOn)) {
        std::printf("| main window could not be built | | | |\n");
        return 1;
    }
    Pump();
    Bench bench(window);
    // kPanels[1] is the adventure panel, kPanels[0] the competitive one; each
    // cycle of eight entries is eight queries.
    ok &= bench.Counted("8 queries, adventure panel", 250, [&] { bench.Queries(1); });
    ok &= bench.Counted("8 queries, competitive panel", 250, [&] { bench.Queries(0); });
    ok &= bench.Counted("hover in and out, link", 2000, [&] { bench.Hover("超级链接框1", false); });
    ok &= bench.Counted("hover in and out, query button", 2000, [&] { bench.Hover("按钮1", true); });
    ok &= bench.Counted("minimise and restore", 200, [&] { bench.MinimiseRestore(); });
    bench.Timed(1, "adventure panel");
    bench.Timed(0, "competitive panel");
    std::printf("| growth | %s | | |\n", ok ? "none" : "FOUND (see rows)");
    std::fflush(stdout);
    DestroyWindow(window.Handle());
    Pump();
    return ok ? 0 : 1;
}
