#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "accessible.h"
#include "form.h"
#include "termopara.h"
#include "typ_termopary.h"
#include "win32_window_ops.h"

// The main window on the Win32 API, built from the toolkit-free description
// in form.h: the four panels, their labels, boxes and buttons as child
// windows, the menu bar, the decimal-comma key filter and the type selection.
// It owns the state of the whole run.
class Win32Form {
  public:
    // Creates the window, hidden, and loads it: centred, "Drukuj" disabled,
    // captions written, type J selected, the focus given to Text1(0).
    explicit Win32Form(HINSTANCE instance, Win32WindowOps::ShowMessage show = showMessage);
    ~Win32Form();
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    void show(int how);
    // Runs the message loop until the window is closed; the exit code.
    int run();
    // Keyboard navigation (Tab between the controls); true when it took `msg`.
    bool navigate(MSG& msg);
    // Start-up measurement: end the loop once the window has painted itself.
    void quitAfterFirstPaint() { quitAfterPaint_ = true; }

    [[nodiscard]] HWND window() const { return window_; }
    [[nodiscard]] HWND control(form::Id id) const { return controls_.at(form::index(id)); }
    // The drop-down of kMenuBar[menu], and the command an item of it sends.
    [[nodiscard]] HMENU menu(std::size_t menu) const { return popups_.at(menu); }
    [[nodiscard]] static UINT menuCommand(std::size_t menu, std::size_t item);
    [[nodiscard]] std::int16_t Typ() const { return termopara_.Typ; }
    [[nodiscard]] UINT dpi() const { return dpi_; }

    void Napisy();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void mnuKoniec_Click();
    void Text1_KeyPress(std::int16_t Index, std::int16_t& KeyAscii);
    void Text2_KeyPress(std::int16_t Index, std::int16_t& KeyAscii);
    void Text3_KeyPress(std::int16_t Index, std::int16_t& KeyAscii);

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(WPARAM wParam, LPARAM lParam);
    void menuCommand(UINT id);
    void keyPress(HWND box, std::int16_t& KeyAscii);

    void createMenus();
    void createControls(HINSTANCE instance);
    void createTooltip(HINSTANCE instance);
    void Form_Load();
    // Fonts, control rectangles and the client area for the window's dpi.
    void applyDpi();
    void createFonts();
    // Every caption and every type's Info texts within their labels.
    [[nodiscard]] bool captionsFit() const;
    void place(form::Id id);
    [[nodiscard]] SIZE outerSize() const;
    void centreOnScreen();
    void selectType(engine::TypTermopary typ);

    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    HMENU menuBar_ = nullptr;
    std::array<HMENU, form::kMenuBar.size()> popups_{};
    std::array<HWND, form::kControls.size()> controls_{};
    HFONT font_ = nullptr;
    HFONT nameFont_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    // The control that had the focus when the window was last deactivated.
    HWND focus_ = nullptr;
    bool quitAfterPaint_ = false;

    engine::Termopara termopara_;
    Accessible accessible_;
    Win32WindowOps::ShowMessage show_;
    std::unique_ptr<Win32WindowOps> ops_;
};
