// The yardstick: the smallest Win32 program that shows one message box.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr, L"baseline", L"Baseline box", MB_OK | MB_TASKMODAL);
    return 0;
}
