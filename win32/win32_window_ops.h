#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "accessible.h"
#include "window_ops.h"

// The program's message box: modal over `owner`, titled "Wexa", OK only, no
// icon.
void showMessage(HWND owner, const std::wstring& text);

// The calculations' window operations on the main window's edit boxes.
class Win32WindowOps final : public calculations::WindowOps {
  public:
    using ShowMessage = std::function<void(HWND owner, const std::wstring& text)>;

    // `boxes` in the order of calculations::Box; `tooltip` explains the result boxes.
    Win32WindowOps(HWND owner, const std::array<HWND, 10>& boxes, HWND tooltip,
                   Accessible& accessible, ShowMessage show);

    [[nodiscard]] std::string text(calculations::Box box) const override;
    void setText(calculations::Box box, std::string_view text) override;
    void setExplanation(calculations::Box box, std::string_view text) override;
    void message(std::string_view text) override;
    void setFocus(calculations::Box box) override;

  private:
    [[nodiscard]] HWND box(calculations::Box pole) const;

    HWND owner_;
    std::array<HWND, 10> boxes_;
    HWND tooltip_;
    Accessible& accessible_;
    ShowMessage show_;
};
