#pragma once
// The program's life: prepare the run-time, build the window, credits and
// the maker's site, the message loop, and the end.

#include <windows.h>

#include <string_view>

// Runs the program; returns the process exit code.
int RunTarvelo(HINSTANCE instance);

// The created handler of the main window.
void OnWindowCreated();

// Asks the shell to open the address; the result is not examined.
void OpenAddress(std::string_view address);
