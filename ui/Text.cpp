#include "Text.h"

std::wstring Widen(std::string_view utf8) {
    std::wstring out;
    if (utf8.empty()) return out;
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    out.resize(n);
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view utf16) {
    std::string out;
    if (utf16.empty()) return out;
    int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                nullptr, nullptr);
    out.resize(n);
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::optional<std::string> WindowTextUtf8(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) return std::nullopt;
    std::wstring text(length + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), length + 1));
    if (text.empty()) return std::nullopt;
    return Narrow(text);
}
