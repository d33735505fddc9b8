// Looks at the desktop from a second process, as an inspection tool would,
// and prints what it sees as JSON (UTF-8) on stdout for the end-to-end tests.
//   probe windows   every top-level window with its tree of children, and
//                   the focus and active windows of the foreground thread,
//                   and the ANSI code page that Wine's locale gives
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text, int length) {
    if (length <= 0) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// WM_GETTEXT works across processes for every class, the program's own
// label and link classes included.
std::string TextOf(HWND w) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    return Utf8(text.data(), static_cast<int>(copied));
}

std::string ClassOf(HWND w) {
    wchar_t name[256];
    return Utf8(name, GetClassNameW(w, name, 256));
}

std::string RectJson(const RECT& r) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right - r.left,
                  r.bottom - r.top);
    return buffer;
}

std::string HwndJson(HWND w) { return std::to_string(reinterpret_cast<UINT_PTR>(w)); }

std::string Bool(bool b) { return b ? "true" : "false"; }

std::string Children(HWND parent);

// The fields every window has; `rect` is in screen coordinates, `place` is
// relative to the parent's client area (for a top-level window, the client
// area's screen rectangle). Read in sequence: the window's own state before
// its children's, so that a window seen visible has its children read after.
std::string WindowJson(HWND w, bool topLevel) {
    RECT outer, client;
    GetWindowRect(w, &outer);
    GetClientRect(w, &client);
    RECT place = topLevel ? client : outer;
    MapWindowPoints(topLevel ? w : nullptr, topLevel ? nullptr : GetParent(w),
                    reinterpret_cast<POINT*>(&place), 2);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    std::string out = "{\"hwnd\":" + HwndJson(w);
    out += ",\"pid\":" + std::to_string(pid);
    out += ",\"id\":" + std::to_string(GetDlgCtrlID(w));
    out += ",\"class\":" + Quoted(ClassOf(w));
    out += ",\"text\":" + Quoted(TextOf(w));
    out += ",\"rect\":" + RectJson(outer);
    out += (topLevel ? ",\"client\":" : ",\"place\":") + RectJson(place);
    out += ",\"style\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)));
    out += ",\"exstyle\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(w, GWL_EXSTYLE)));
    out += ",\"visible\":" + Bool(IsWindowVisible(w));
    out += ",\"enabled\":" + Bool(IsWindowEnabled(w));
    out += ",\"children\":" + Children(w);
    return out + "}";
}

// Direct children only, in z-order (the first on top); each recurses.
std::string Children(HWND parent) {
    std::string out = "[";
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (out.size() > 1) out += ',';
        out += WindowJson(c, false);
    }
    return out + "]";
}

int Windows() {
    std::string out = "{\"windows\":[";
    bool first = true;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!first) out += ',';
        first = false;
        out += WindowJson(w, true);
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(0, &info);
    out += "],\"foreground\":" + HwndJson(GetForegroundWindow());
    out += ",\"active\":" + HwndJson(info.hwndActive);
    out += ",\"focus\":" + HwndJson(info.hwndFocus);
    out += ",\"capture\":" + HwndJson(info.hwndCapture);
    out += ",\"acp\":" + std::to_string(GetACP()) + "}\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written,
              nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "windows") return Windows();
    std::fputs("usage: probe windows\n", stderr);
    return 2;
}
