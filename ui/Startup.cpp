#include "Startup.h"

#include "ControlSkin.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "Text.h"

#include <ole2.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr std::string_view kBuildFailedText = "无法创建主窗口。";
constexpr std::string_view kBuildFailedCaption = "Tarvelo";

// The working directory becomes the executable's folder; DLLs still load from
// the system folder only, so nothing placed beside the program is picked up.
void PrepareProcess() {
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    path.erase(path.find_last_of(L"\\/") + 1);
    SetCurrentDirectoryW(path.c_str());
}

}  // namespace

void OpenAddress(std::string_view address) {
    HWND owner = FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
    ShellExecuteW(owner, L"open", Widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OnWindowCreated() {
    SetSkinStyle(2);
    ShowMessageBox(kCreditsText, MB_OK, kCreditsCaption);
    OpenAddress(kMakerAddress);
}

int RunTarvelo(HINSTANCE instance) {
    PrepareProcess();
    OleInitialize(nullptr);
    MainWindow window;
    if (!window.Build(instance, OnWindowCreated)) {
        ShowMessageBox(kBuildFailedText, MB_OK | MB_ICONERROR, kBuildFailedCaption);
        OleUninitialize();
        return -1;
    }
    MSG msg{};
    if (window.Handle()) {
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (window.PreTranslate(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    OleUninitialize();
    return 0;
}
