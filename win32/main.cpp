// clang-format off
#include <windows.h>  // before every other Windows header
// clang-format on

#include <commctrl.h>

#include <cwchar>

#include "win32_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR commandLine, int show) {
    // The manifest asks for the same; this covers a copy run without it.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    Win32Form form(instance);
    // For start-up measurements only.
    if (std::wcsstr(commandLine, L"--quit-after-paint") != nullptr) form.quitAfterFirstPaint();
    form.show(show);
    return form.run();
}
