#pragma once
// Texts live as UTF-8; the Win32 boundary speaks UTF-16.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The window's text as UTF-8; absent when it is empty.
std::optional<std::string> WindowTextUtf8(HWND window);
