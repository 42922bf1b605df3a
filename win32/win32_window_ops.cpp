#include "win32_window_ops.h"

#include <commctrl.h>

#include <utility>

#include "form.h"
#include "wide.h"

void showMessage(HWND owner, const std::wstring& text) {
    static const std::wstring title = toWide(form::kMessageTitle);
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK);
}

Win32WindowOps::Win32WindowOps(HWND owner, const std::array<HWND, 10>& boxes, HWND tooltip,
                               Accessible& accessible, ShowMessage show)
    : owner_(owner),
      boxes_(boxes),
      tooltip_(tooltip),
      accessible_(accessible),
      show_(std::move(show)) {}

HWND Win32WindowOps::box(calculations::Box pole) const {
    return boxes_.at(static_cast<std::size_t>(pole));
}

std::string Win32WindowOps::text(calculations::Box pole) const {
    return toUtf8(windowText(box(pole)));
}

void Win32WindowOps::setText(calculations::Box pole, std::string_view text) {
    SetWindowTextW(box(pole), toWide(text).c_str());
}

void Win32WindowOps::setExplanation(calculations::Box pole, std::string_view text) {
    std::wstring wide = toWide(text);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(box(pole));
    tool.lpszText = wide.data();
    // An empty text shows no tooltip at all.
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    accessible_.setDescription(box(pole), wide);
}

void Win32WindowOps::message(std::string_view text) {
    show_(owner_, toWide(text));
}

void Win32WindowOps::setFocus(calculations::Box pole) {
    HWND target = box(pole);
    SetFocus(target);
    // A focus given by the program selects nothing.
    SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(-1), 0);
}
