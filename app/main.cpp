#include <windows.h>

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    if (m == WM_KEYDOWN && wp == VK_ESCAPE) DestroyWindow(w);
    return DefWindowProcW(w, m, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"WTWindow";
    RegisterClassExW(&wc);
    CreateWindowExW(0, L"WTWindow", L"Tarvelo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 207, 389,
                    nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return static_cast<int>(msg.wParam);
}
