#pragma once
// The control skin: restyles the standard controls of the calling thread's
// windows, present and future, in one of three colour schemes.

#include <windows.h>

#include <cstddef>

// 1 to 3 switch the skin on in that scheme (switching it off first if on) and
// return 1. Any other value switches it off, gives every restyled control its
// own look back and returns the result of unhooking, or 0 if nothing was
// being followed.
int SetSkinStyle(int style);

// Whether the control carries the skin's state now.
bool IsSkinned(HWND control);

// How many controls the skin is dressing now.
std::size_t SkinnedControlCount();
