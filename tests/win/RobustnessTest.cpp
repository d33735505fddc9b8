// What a user or a broken system can throw at the real main window, skin on:
// huge and odd pasted entries, rapid clicks, the warning box over and over,
// and the ".htm" registration broken in the ways the links' fallback must
// survive. None of it may show a box it should not, change a result, or
// leave GDI or USER objects behind.
#include "../../bench/GuiObjects.h"

#include "ControlSkin.h"
#include "HyperLinker.h"
#include "MainWindow.h"
#include "Text.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// Found by gtest's printer, which looks in the type's own namespace.
std::ostream& operator<<(std::ostream& out, const GuiObjectCount& c) {
    return out << c.gdi << " GDI, " << c.user << " USER";
}

namespace {

// Message boxes of this thread, closed from a timer inside their modal loop,
// in turn by OK, Esc, Enter and the close command.
struct BoxWatch {
    static inline int closed = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTimer);
    BoxWatch() { closed = 0; }
    ~BoxWatch() { KillTimer(nullptr, timer); }

    static BOOL CALLBACK CloseBox(HWND w, LPARAM) {
        wchar_t name[16];
        GetClassNameW(w, name, 16);
        if (std::wstring(name) != L"#32770" || !IsWindowVisible(w)) return TRUE;
        HWND ok = GetDlgItem(w, IDOK);
        switch (closed++ % 4) {
        case 0: PostMessageW(w, WM_COMMAND, IDOK, 0); break;
        case 1: PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 1); break;
        case 2: PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 1); break;
        case 3: PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        }
        return FALSE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
    }
};

void SkinOn() { SetSkinStyle(2); }

class Robustness : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Build(GetModuleHandleW(nullptr), SkinOn));
        PumpMessages();
    }
    void TearDown() override {
        if (IsWindow(window.Handle())) DestroyWindow(window.Handle());
        SetSkinStyle(0);
        PumpMessages();
    }
    HWND At(const char* name) { return window.Control(ControlIndex(name)); }

    // Each panel's entry, result labels and button.
    struct Panel { HWND input, first, second, button; };
    std::vector<Panel> Panels() {
        std::vector<Panel> panels;
        for (const PanelDescription& p : kPanels)
            panels.push_back({window.Control(ControlIndex(p.input)), window.Control(ControlIndex(p.firstLabel)),
                              window.Control(ControlIndex(p.secondLabel)), window.Control(ControlIndex(p.button))});
        return panels;
    }
    std::wstring Results() {
        std::wstring all;
        for (const Panel& p : Panels()) all += WindowText(p.first) + L"|" + WindowText(p.second) + L"|";
        return all;
    }
    static void Click(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        PumpMessages();
    }
    static void Paste(HWND edit, const std::wstring& text) {
        SetWindowTextW(edit, L"");
        ASSERT_TRUE(PutOnClipboard(edit, text));
        SendMessageW(edit, WM_PASTE, 0, 0);
    }
    MainWindow window;
};

// The counting method itself: each kind it claims to see, made and deleted.
TEST(GuiObjectCounting, CountsFollowCreatedAndDeletedObjects) {
    HWND keep = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    HDC screen = GetDC(nullptr);
    static BYTE bits[32 * 4]{};
    struct Kind {
        const char* name;
        HANDLE (*make)(HDC);
        void (*free)(HANDLE);
        GuiObjectCount each;  // what one object of the kind adds
    };
    auto gdiFree = [](HANDLE h) { DeleteObject(h); };
    const Kind kinds[] = {
        {"brush", [](HDC) -> HANDLE { return CreateSolidBrush(RGB(1, 2, 3)); }, gdiFree, {1, 0}},
        {"pen", [](HDC) -> HANDLE { return CreatePen(PS_SOLID, 1, 0); }, gdiFree, {1, 0}},
        {"font", [](HDC) -> HANDLE { return CreateFontW(14, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial"); },
         gdiFree, {1, 0}},
        {"bitmap", [](HDC dc) -> HANDLE { return CreateCompatibleBitmap(dc, 4, 4); }, gdiFree, {1, 0}},
        {"region", [](HDC) -> HANDLE { return CreateRectRgn(0, 0, 2, 2); }, gdiFree, {1, 0}},
        {"memory DC", [](HDC dc) -> HANDLE { return CreateCompatibleDC(dc); },
         [](HANDLE h) { DeleteDC(static_cast<HDC>(h)); }, {1, 0}},
        {"window", [](HDC) -> HANDLE {
             return CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
         }, [](HANDLE h) { DestroyWindow(static_cast<HWND>(h)); }, {0, 1}},
        {"menu", [](HDC) -> HANDLE { return CreateMenu(); }, [](HANDLE h) { DestroyMenu(static_cast<HMENU>(h)); },
         {0, 1}},
        // Wine keeps an icon's mask as a bitmap of its own.
        {"icon", [](HDC) -> HANDLE { return CreateIcon(nullptr, 32, 32, 1, 1, bits, bits); },
         [](HANDLE h) { DestroyIcon(static_cast<HICON>(h)); }, {1, 1}},
        {"accelerator table", [](HDC) -> HANDLE {
             ACCEL accel{FVIRTKEY, 'A', 1};
             return CreateAcceleratorTableW(&accel, 1);
         }, [](HANDLE h) { DestroyAcceleratorTable(static_cast<HACCEL>(h)); }, {0, 1}},
    };
    constexpr int kN = 40;
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const GuiObjectCount before = CountGuiObjects();
        HANDLE made[kN];
        for (HANDLE& h : made) ASSERT_NE(h = kind.make(screen), nullptr);
        const GuiObjectCount during = CountGuiObjects();
        EXPECT_EQ(during.gdi - before.gdi, kN * kind.each.gdi);
        EXPECT_EQ(during.user - before.user, kN * kind.each.user);
        for (HANDLE h : made) kind.free(h);
        EXPECT_EQ(CountGuiObjects(), before);
    }
    ReleaseDC(nullptr, screen);
    DestroyWindow(keep);
}

// The longest entries are 32768 characters, past the platform's default limit
// of 30000: Wine's edit control takes time quadratic in the length to take
// in a paste (64 Ki characters about 2 s, 256 Ki about 34 s, measured with a
// plain edit control as well), so a 1 MiB paste cannot be tested here. The
// query itself took 3 ms on 256 Ki characters.
TEST_F(Robustness, UnusualPastedEntriesReturnAtOnceAndChangeNothing) {
    struct Case { const char* name; std::wstring text; };
    const Case cases[] = {
        {"32 Ki digits", std::wstring(1 << 15, L'1')},
        {"a key followed by 32 Ki blanks", L"12" + std::wstring(1 << 15, L' ')},
        {"outside the BMP", L"1\U0001F600"},
        {"a CJK extension-B character before a key", L"\U00020000" L"12"},
        {"a lone high surrogate", std::wstring(L"\xD83D") + L"12"},
        {"a lone low surrogate", std::wstring(L"12") + L"\xDE00"},
        {"only blanks", L"   "},
        {"only ideographic blanks", L"\u3000\u3000"},
    };
    BoxWatch boxes;
    for (const Panel& p : Panels()) {
        SetWindowTextW(p.input, L"12");
        Click(p.button);
        Paste(p.input, L"\U0001F600");  // what a first paste and query make once
        Click(p.button);
    }
    const GuiObjectCount before = CountGuiObjects();
    for (const Case& c : cases) {
        for (const Panel& p : Panels()) {
            SCOPED_TRACE(c.name);
            const std::wstring results = Results();
            Paste(p.input, c.text);
            PumpMessages();
            const std::wstring entry = WindowText(p.input);
            EXPECT_EQ(entry, c.text);
            const auto start = std::chrono::steady_clock::now();
            Click(p.button);
            const auto elapsed = std::chrono::steady_clock::now() - start;
            EXPECT_LT(elapsed, std::chrono::seconds(1));
            EXPECT_EQ(Results(), results);
            EXPECT_EQ(WindowText(p.input), entry);
        }
    }
    EXPECT_EQ(BoxWatch::closed, 0) << "no query of a non-empty entry shows a box";
    for (const Panel& p : Panels()) SetWindowTextW(p.input, L"");
    PumpMessages();
    EXPECT_EQ(CountGuiObjects(), before);
    DWORD_PTR answer;
    EXPECT_NE(SendMessageTimeoutW(window.Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0);
}

TEST_F(Robustness, RapidClicksOnBothButtonsGiveTheLastEntrysResult) {
    std::vector<Panel> panels = Panels();
    SetWindowTextW(panels[0].input, L"30");
    SetWindowTextW(panels[1].input, L"12");
    for (int i = 0; i < 2; ++i) Click(panels[i].button);
    const std::wstring expected = Results();
    SetWindowTextW(panels[0].input, L"1");
    SetWindowTextW(panels[1].input, L"1");
    for (int i = 0; i < 2; ++i) Click(panels[i].button);
    SetWindowTextW(panels[0].input, L"30");
    SetWindowTextW(panels[1].input, L"12");

    const GuiObjectCount before = CountGuiObjects();
    BoxWatch boxes;
    for (int i = 0; i < 500; ++i) {
        // Clicks queued faster than they are painted, and a real double click's
        // messages (down, up, double-click, up).
        SendMessageW(panels[i % 2].button, BM_CLICK, 0, 0);
        HWND b = panels[(i + 1) % 2].button;
        for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            SendMessageW(b, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
        if (i % 50 == 0) PumpMessages();
    }
    PumpMessages();
    EXPECT_EQ(Results(), expected);
    EXPECT_EQ(BoxWatch::closed, 0);
    EXPECT_EQ(CountGuiObjects(), before);
}

TEST_F(Robustness, EmptyEntryBoxOpensAndClosesManyTimes) {
    std::vector<Panel> panels = Panels();
    SetWindowTextW(panels[0].input, L"30");
    SetWindowTextW(panels[1].input, L"12");
    for (const Panel& p : panels) Click(p.button);
    const std::wstring results = Results();
    for (const Panel& p : panels) SetWindowTextW(p.input, L"");

    BoxWatch boxes;
    Click(panels[0].button);  // the first box loads what every box shares
    ASSERT_EQ(BoxWatch::closed, 1);
    const GuiObjectCount before = CountGuiObjects();
    constexpr int kBoxes = 60;
    for (int i = 0; i < kBoxes; ++i) {
        Click(panels[i % 2].button);
        ASSERT_EQ(BoxWatch::closed, i + 2) << "the click returns once its box is closed";
        EXPECT_TRUE(IsWindowEnabled(window.Handle())) << "the window is enabled again after the box";
    }
    EXPECT_EQ(Results(), results);
    EXPECT_EQ(CountGuiObjects(), before);
}

// A key under HKEY_CLASSES_ROOT, moved aside (values and subkeys) and put
// back when the test ends. Wine's HKEY_CLASSES_ROOT does not show
// HKEY_CURRENT_USER\Software\Classes, so the test changes the classes
// themselves, in its own prefix.
class SavedClassKey {
public:
    explicit SavedClassKey(std::wstring name) : name_(std::move(name)) {
        RegDeleteTreeW(HKEY_CURRENT_USER, Backup().c_str());
        HKEY key;
        existed_ = RegOpenKeyExW(HKEY_CLASSES_ROOT, name_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (!existed_) return;
        HKEY backup;
        RegCreateKeyExW(HKEY_CURRENT_USER, Backup().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &backup, nullptr);
        EXPECT_EQ(RegCopyTreeW(key, nullptr, backup), ERROR_SUCCESS);
        RegCloseKey(backup);
        RegCloseKey(key);
    }
    ~SavedClassKey() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, name_.c_str());
        RegDeleteKeyW(HKEY_CLASSES_ROOT, name_.c_str());
        if (!existed_) return;
        HKEY backup, key;
        RegOpenKeyExW(HKEY_CURRENT_USER, Backup().c_str(), 0, KEY_READ, &backup);
        RegCreateKeyExW(HKEY_CLASSES_ROOT, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegCopyTreeW(backup, nullptr, key);
        RegCloseKey(key);
        RegCloseKey(backup);
        RegDeleteTreeW(HKEY_CURRENT_USER, Backup().c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, Backup().c_str());
    }
    SavedClassKey(const SavedClassKey&) = delete;
    SavedClassKey& operator=(const SavedClassKey&) = delete;

    void Remove() const {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, name_.c_str());
        RegDeleteKeyW(HKEY_CLASSES_ROOT, name_.c_str());
    }
    // Sets the default value of the key or of `subkey` to exactly `bytes`
    // (ANSI, as the fallback reads it; no terminator unless it holds one).
    void SetBytes(const std::wstring& subkey, const std::string& bytes) const {
        const std::wstring path = subkey.empty() ? name_ : name_ + L"\\" + subkey;
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }

private:
    std::wstring Backup() const { return L"Software\\TarveloTestSaved\\" + name_; }
    std::wstring name_;
    bool existed_ = false;
};

std::string TempFile(const char* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::string path = Narrow(dir) + name;
    DeleteFileW(Widen(path).c_str());
    return path;
}

// What a started command wrote into `path`, waiting up to `patience` for it.
std::string WaitForFile(const std::string& path, std::chrono::milliseconds patience) {
    const auto end = std::chrono::steady_clock::now() + patience;
    do {
        std::ifstream in(Widen(path).c_str());
        std::stringstream text;
        text << in.rdbuf();
        if (text.str().find('\n') != std::string::npos) return text.str();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < end);
    return {};
}

// The main window's first link opens an address with a scheme nothing
// handles, so every press goes to the ".htm" fallback.
TEST_F(Robustness, BrokenHtmRegistrationIsSurvived) {
    SavedClassKey htm(L".htm");
    SavedClassKey handler(L"TarveloBrokenPage");
    HWND link = At("超级链接框1");
    auto press = [&] {
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
        SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
        PumpMessages();
    };
    BoxWatch boxes;

    htm.Remove();
    press();  // no ".htm" key at all
    EXPECT_TRUE(IsWindow(link));

    // A command that writes "[" and what it was given into a log; `filler`
    // blanks bring the value to an exact length.
    const std::string cmd = "C:\\windows\\system32\\cmd.exe /c >\"";
    auto command = [&](const std::string& log, std::size_t length) {
        std::string text = cmd + log + "\" echo [";
        text += std::string(length - text.size() - 2, ' ') + "%1";
        return text;
    };
    htm.SetBytes(L"", std::string("TarveloBrokenPage") + '\0');
    struct Case {
        const char* name;
        std::size_t length;   // of the command's text
        bool terminated;
        bool runs;
    };
    const Case lengths[] = {
        {"259 bytes and a terminator: 260 in all", 259, true, true},
        // The ANSI read adds a terminator it has no room for: too long.
        {"260 bytes and no terminator", 260, false, false},
        {"260 bytes and a terminator", 260, true, false},
        {"261 bytes and no terminator", 261, false, false},
        {"4000 bytes", 4000, true, false},
    };
    for (const Case& c : lengths) {
        SCOPED_TRACE(c.name);
        const std::string log = TempFile("tarvelo-broken.txt");
        std::string value = command(log, c.length);
        ASSERT_EQ(value.size(), c.length);
        if (c.terminated) value += '\0';
        handler.SetBytes(L"shell\\open\\command", value);
        press();
        const std::string wrote = WaitForFile(log, std::chrono::milliseconds(c.runs ? 5000 : 1500));
        if (c.runs) {
            EXPECT_EQ(wrote.substr(0, 1), "[");
            EXPECT_NE(wrote.find("xmpp:ostrel@corvaly.example?message"), std::string::npos) << wrote;
        } else {
            EXPECT_EQ(wrote, "");
        }
    }

    // A class name of exactly 260 bytes without terminator names a class
    // that is not there; 261 bytes are a failed read.
    for (std::size_t length : {260u, 261u}) {
        htm.SetBytes(L"", std::string(length, 'C'));
        press();
    }

    // Odd quoting: what the handler is given is cut at the quoted or bare %1.
    htm.SetBytes(L"", std::string("TarveloBrokenPage") + '\0');
    struct Quoting { const char* name; std::string tail, expected; };
    const Quoting quotings[] = {
        {"unbalanced quote before %1", " echo [\"%1", "[\" xmpp:"},
        {"quote after %1 only", " echo [%1\"", "[ xmpp:"},
        {"doubled quotes", " echo [\"\"%1\"\"", "[\" xmpp:"},
        {"no %1 at all", " echo [\"x\"", "[\"x\" xmpp:"},
        {"a lone quote", " echo [\"", "[\" xmpp:"},
        {"%1 twice, the second quoted", " echo [%1 \"%1\"", "[%1  xmpp:"},
    };
    for (const Quoting& q : quotings) {
        SCOPED_TRACE(q.name);
        const std::string log = TempFile("tarvelo-quoting.txt");
        handler.SetBytes(L"shell\\open\\command", cmd + log + "\"" + q.tail + '\0');
        press();
        const std::string wrote = WaitForFile(log, std::chrono::milliseconds(5000));
        EXPECT_EQ(wrote.substr(0, wrote.find("xmpp:") + 5), q.expected) << wrote;
    }
    EXPECT_EQ(BoxWatch::closed, 0) << "a broken registration shows no box";
    EXPECT_TRUE(IsWindow(window.Handle()));
}

}  // namespace
