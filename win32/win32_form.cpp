#include "win32_form.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "obliczenia.h"
#include "wide.h"

namespace {

using form::Id;
using form::Kind;

constexpr wchar_t kClassName[] = L"Kalvetra";
// Control ids stay clear of IDOK and IDCANCEL, which the dialog manager sends.
constexpr int kControlIdBase = 100;
constexpr UINT kMenuIdBase = 1000;
constexpr UINT kMenuIdStride = 100;
constexpr int kIconResource = 1;
// A fixed size: no sizing border, no maximise box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

const form::Control& describe(Id id) {
    return form::control(id);
}

bool focusable(Id id) {
    return std::find(form::kTabOrder.begin(), form::kTabOrder.end(), id) != form::kTabOrder.end();
}

// Child windows are created in the order the focus walks them (Tab follows
// the z-order), and every other control as early in reading order as that
// allows, a row caption right before its box so that screen readers name the
// box by it. The lower panels' buttons thus come right after their panels'
// frames, before the rows.
std::vector<Id> creationOrder() {
    std::vector<Id> order;
    std::array<bool, form::kControls.size()> created{};
    const auto create = [&](Id id) {
        if (created.at(form::index(id))) return;
        created.at(form::index(id)) = true;
        order.push_back(id);
    };
    for (const Id next : form::kTabOrder) {
        for (std::size_t i = 0; i < form::index(next); ++i) {
            const Id id = form::kControls.at(i).id;
            if (focusable(id)) continue;
            const auto box = form::boxOf(id);
            if (box && *box != next && !created.at(form::index(*box))) continue;
            create(id);
        }
        create(next);
    }
    for (const form::Control& c : form::kControls) create(c.id);
    return order;
}

// A control's rectangle in client pixels: the panel's place and the control's
// place in it are converted on their own, as nested windows would be.
RECT clientRect(Id id, UINT dpi) {
    const form::Control& c = describe(id);
    form::Rect r = form::toPixels(c.where, static_cast<int>(dpi));
    if (c.parent) {
        const form::Rect panel = form::toPixels(describe(*c.parent).where, static_cast<int>(dpi));
        r.left += panel.left;
        r.top += panel.top;
    }
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

std::optional<calculations::Box> poleOf(Id id) {
    const auto* it = std::find(form::kBoxes.begin(), form::kBoxes.end(), id);
    if (it == form::kBoxes.end()) return std::nullopt;
    return static_cast<calculations::Box>(it - form::kBoxes.begin());
}

std::size_t typeMenuIndex() {
    for (std::size_t m = 0; m < form::kMenuBar.size(); ++m) {
        if (form::kMenuBar.at(m).items.data() == form::kTypeMenu.data()) return m;
    }
    return 0;
}

HICON loadIcon(HINSTANCE instance, int metric, UINT dpi) {
    const int size = GetSystemMetricsForDpi(metric, dpi);
    auto* icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource),
                                               IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (icon != nullptr) return icon;
    // A copy of the stock icon, so every icon here is the window's own to destroy.
    return CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
}

}  // namespace

Win32Form::Win32Form(HINSTANCE instance, Win32WindowOps::ShowMessage show)
    : show_(std::move(show)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, kClassName, &wc) == FALSE) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        RegisterClassExW(&wc);
    }

    createMenus();
    // Made on the primary screen, where it will be centred.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    window_ = CreateWindowExW(kExStyle, kClassName, toWide(form::kCaption).c_str(), kStyle,
                              monitor.rcWork.left, monitor.rcWork.top, 0, 0, nullptr, menuBar_,
                              instance, this);
    dpi_ = GetDpiForWindow(window_);
    createControls(instance);
    createTooltip(instance);
    std::array<HWND, form::kBoxes.size()> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes.at(i) = control(form::kBoxes.at(i));
    ops_ = std::make_unique<Win32WindowOps>(window_, boxes, tooltip_, accessible_, show_);
    applyDpi();

    Form_Load();
}

Win32Form::~Win32Form() {
    if (IsWindow(window_) != FALSE) DestroyWindow(window_);
    if (IsWindow(tooltip_) != FALSE) DestroyWindow(tooltip_);
    for (HFONT font : {font_, nameFont_}) {
        if (font != nullptr) DeleteObject(font);
    }
    for (HICON icon : {bigIcon_, smallIcon_}) {
        if (icon != nullptr) DestroyIcon(icon);
    }
}

UINT Win32Form::menuCommand(std::size_t menu, std::size_t item) {
    return kMenuIdBase + static_cast<UINT>(menu) * kMenuIdStride + static_cast<UINT>(item);
}

void Win32Form::createMenus() {
    menuBar_ = CreateMenu();
    for (std::size_t m = 0; m < form::kMenuBar.size(); ++m) {
        const form::Menu& menu = form::kMenuBar.at(m);
        popups_.at(m) = CreatePopupMenu();
        for (std::size_t i = 0; i < menu.items.size(); ++i) {
            const bool separator = menu.items[i].command == form::Command::Separator;
            AppendMenuW(popups_.at(m), separator ? MF_SEPARATOR : MF_STRING, menuCommand(m, i),
                        toWide(menu.items[i].caption).c_str());
        }
        AppendMenuW(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popups_.at(m)),
                    toWide(menu.caption).c_str());
    }
}

void Win32Form::createControls(HINSTANCE instance) {
    for (const Id id : creationOrder()) {
        const form::Control& c = describe(id);
        const wchar_t* type = WC_STATICW;
        std::wstring text;
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (c.kind) {
            case Kind::Panel:
                type = WC_BUTTONW;
                style |= BS_GROUPBOX;
                text = toWide(c.text);
                break;
            case Kind::Label:
                // Captions are set by Napisy and the selection; one line, as typed.
                style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
                break;
            case Kind::Edit:
                type = WC_EDITW;
                style |= WS_TABSTOP | WS_GROUP | ES_LEFT | ES_AUTOHSCROLL;
                // Read-only boxes can still be focused, selected and copied.
                if (c.readOnly) style |= ES_READONLY;
                exStyle = WS_EX_CLIENTEDGE;
                break;
            case Kind::Button:
                type = WC_BUTTONW;
                // Each its own group: arrow keys do not move between buttons.
                style |= WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
                break;
        }
        HWND hwnd = CreateWindowExW(
            exStyle, type, text.c_str(), style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + form::index(id))),
            instance, nullptr);
        controls_.at(form::index(id)) = hwnd;
        if (c.kind == Kind::Edit) {
            // No length limit: a long paste must not be cut into another number.
            SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
            SetWindowSubclass(hwnd, boxProc, 0, reinterpret_cast<DWORD_PTR>(this));
        }
        if (!c.accessibleName.empty()) accessible_.setName(hwnd, toWide(c.accessibleName));
        if (c.kind == Kind::Button && c.parent) {
            accessible_.setDescription(hwnd, toWide(describe(*c.parent).text));
        }
    }
}

void Win32Form::createTooltip(HINSTANCE instance) {
    // An explanation shows on hover whether or not the window is active.
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
    std::wstring empty;
    for (const form::Control& c : form::kControls) {
        if (!c.explained) continue;
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control(c.id));
        tool.lpszText = empty.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // Explanations break their lines where they say, not at a width.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
}

void Win32Form::createFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
    for (HFONT font : {font_, nameFont_}) {
        if (font != nullptr) DeleteObject(font);
    }
    // The system's message font, a little smaller where a caption would
    // otherwise be cut by its label's fixed width.
    LOGFONTW normal = metrics.lfMessageFont;
    const LONG full = std::abs(normal.lfHeight);
    for (LONG height = full;; --height) {
        normal.lfHeight = normal.lfHeight < 0 ? -height : height;
        LOGFONTW name = normal;
        name.lfWeight = FW_BOLD;
        font_ = CreateFontIndirectW(&normal);
        nameFont_ = CreateFontIndirectW(&name);
        if (height * 4 <= full * 3 || captionsFit()) break;
        DeleteObject(font_);
        DeleteObject(nameFont_);
    }
}

bool Win32Form::captionsFit() const {
    HDC dc = GetDC(window_);
    const auto fits = [&](Id label, std::string_view text) {
        RECT r = clientRect(label, dpi_);
        // A row caption shows up to its box.
        if (const auto box = form::boxOf(label))
            r.right = std::min(r.right, clientRect(*box, dpi_).left);
        const bool bold = describe(label).font == form::FontRole::NameBoldRed;
        HGDIOBJ old = SelectObject(dc, bold ? nameFont_ : font_);
        const std::wstring wide = toWide(text);
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        SelectObject(dc, old);
        return size.cx <= r.right - r.left;
    };
    bool all = true;
    for (const form::Control& c : form::kControls) {
        if (c.kind == Kind::Label && !c.text.empty()) all = all && fits(c.id, c.text);
    }
    for (const engine::TypTermopary typ : engine::kWszystkieTypy) {
        for (const form::Assignment& a : form::selection(typ).texts) {
            if (describe(a.control).kind == Kind::Label) all = all && fits(a.control, a.text);
        }
    }
    ReleaseDC(window_, dc);
    return all;
}

void Win32Form::place(Id id) {
    const RECT r = clientRect(id, dpi_);
    HWND hwnd = control(id);
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const form::Control& c = describe(id);
    SendMessageW(
        hwnd, WM_SETFONT,
        reinterpret_cast<WPARAM>(c.font == form::FontRole::NameBoldRed ? nameFont_ : font_), FALSE);
    // A row caption reaches under its box; the box must stay whole, so the
    // caption gives up the overlap.
    const auto box = form::boxOf(id);
    if (!box) return;
    const RECT boxRect = clientRect(*box, dpi_);
    RECT overlap{};
    if (IntersectRect(&overlap, &r, &boxRect) != FALSE) {
        HRGN region = CreateRectRgn(0, 0, r.right - r.left, r.bottom - r.top);
        HRGN under = CreateRectRgn(overlap.left - r.left, overlap.top - r.top,
                                   overlap.right - r.left, overlap.bottom - r.top);
        CombineRgn(region, region, under, RGN_DIFF);
        DeleteObject(under);
        SetWindowRgn(hwnd, region, FALSE);  // the window owns the region now
    }
}

SIZE Win32Form::outerSize() const {
    RECT r{0, 0, form::toPixels(form::kClient.width, static_cast<int>(dpi_)),
           form::toPixels(form::kClient.height, static_cast<int>(dpi_))};
    AdjustWindowRectExForDpi(&r, kStyle, TRUE, kExStyle, dpi_);
    return {r.right - r.left, r.bottom - r.top};
}

void Win32Form::applyDpi() {
    // Icons drawn at the dpi's own sizes, not scaled from another.
    for (HICON icon : {bigIcon_, smallIcon_}) {
        if (icon != nullptr) DestroyIcon(icon);
    }
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    bigIcon_ = loadIcon(instance, SM_CXICON, dpi_);
    smallIcon_ = loadIcon(instance, SM_CXSMICON, dpi_);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    createFonts();
    for (const form::Control& c : form::kControls) place(c.id);
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    const SIZE outer = outerSize();
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32Form::centreOnScreen() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor) == FALSE) {
        return;
    }
    const auto rect = [](const RECT& r) {
        return form::Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    const SIZE outer = outerSize();
    const form::Point at =
        form::placedPosition(rect(monitor.rcMonitor), rect(monitor.rcWork), {outer.cx, outer.cy});
    SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::Form_Load() {
    centreOnScreen();
    for (std::size_t m = 0; m < form::kMenuBar.size(); ++m) {
        const form::Menu& menu = form::kMenuBar.at(m);
        for (std::size_t i = 0; i < menu.items.size(); ++i) {
            if (!menu.items[i].enabled) {
                EnableMenuItem(popups_.at(m), static_cast<UINT>(i), MF_BYPOSITION | MF_GRAYED);
            }
        }
    }
    Napisy();
    selectType(engine::TypTermopary::J);
    focus_ = control(form::kTabOrder.front());
    SetFocus(focus_);
}

void Win32Form::Napisy() {
    for (const form::Control& c : form::kControls) {
        if ((c.kind == Kind::Label && !c.text.empty()) || c.kind == Kind::Button) {
            SetWindowTextW(control(c.id), toWide(c.text).c_str());
        }
    }
}

void Win32Form::selectType(engine::TypTermopary typ) {
    termopara_.ustawTyp(typ);
    const form::Selection s = form::selection(typ);
    HMENU types = popups_.at(typeMenuIndex());
    for (std::size_t i = 0; i < s.marks.size(); ++i) {
        CheckMenuItem(types, static_cast<UINT>(i),
                      MF_BYPOSITION | (s.marks.at(i) ? MF_CHECKED : MF_UNCHECKED));
    }
    for (const form::Assignment& a : s.texts) {
        SetWindowTextW(control(a.control), toWide(a.text).c_str());
    }
    for (const Id id : s.explanationsCleared) {
        if (const auto pole = poleOf(id)) ops_->setExplanation(*pole, {});
    }
}

void Win32Form::show(int how) {
    ShowWindow(window_, how);
    UpdateWindow(window_);
}

bool Win32Form::navigate(MSG& msg) {
    // No button is the default: Enter presses the focused button and starts
    // nothing from a box. The dialog manager would make it IDOK, which a
    // window that is no dialog need not receive at all.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && IsChild(window_, msg.hwnd)) {
        for (const Id button : {Id::Command1, Id::Command2, Id::Command3}) {
            if (msg.hwnd == control(button)) SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
        }
        return true;
    }
    return IsDialogMessageW(window_, &msg) != FALSE;
}

int Win32Form::run() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (navigate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void Win32Form::Command1_Click() {
    calculations::Command1_Click(*ops_, termopara_.Typ);
}
void Win32Form::Command2_Click() {
    calculations::Command2_Click(*ops_, termopara_);
}
void Win32Form::Command3_Click() {
    calculations::Command3_Click(*ops_, termopara_);
}

void Win32Form::mnuKoniec_Click() {
    DestroyWindow(window_);
}

void Win32Form::Text1_KeyPress([[maybe_unused]] std::int16_t Index, std::int16_t& KeyAscii) {
    form::decimalComma(KeyAscii);
}
void Win32Form::Text2_KeyPress([[maybe_unused]] std::int16_t Index, std::int16_t& KeyAscii) {
    form::decimalComma(KeyAscii);
}
void Win32Form::Text3_KeyPress([[maybe_unused]] std::int16_t Index, std::int16_t& KeyAscii) {
    form::decimalComma(KeyAscii);
}

void Win32Form::keyPress(HWND box, std::int16_t& KeyAscii) {
    for (const form::Control& c : form::kControls) {
        if (c.kind != Kind::Edit || control(c.id) != box) continue;
        const auto pole = poleOf(c.id).value_or(calculations::Box::Text1_0);
        if (pole <= calculations::Box::Text1_3) {
            Text1_KeyPress(c.index, KeyAscii);
        } else if (pole <= calculations::Box::Text2_2) {
            Text2_KeyPress(c.index, KeyAscii);
        } else {
            Text3_KeyPress(c.index, KeyAscii);
        }
    }
}

void Win32Form::command(WPARAM wParam, LPARAM lParam) {
    const auto id = static_cast<int>(LOWORD(wParam));
    auto* from = reinterpret_cast<HWND>(lParam);
    if (from == nullptr) {
        if (HIWORD(wParam) == 0) menuCommand(static_cast<UINT>(id));
        return;
    }
    if (id < kControlIdBase || HIWORD(wParam) != BN_CLICKED) return;
    switch (static_cast<Id>(id - kControlIdBase)) {
        case Id::Command1:
            Command1_Click();
            break;
        case Id::Command2:
            Command2_Click();
            break;
        case Id::Command3:
            Command3_Click();
            break;
        default:
            break;
    }
}

void Win32Form::menuCommand(UINT id) {
    if (id < kMenuIdBase) return;
    const std::size_t m = (id - kMenuIdBase) / kMenuIdStride;
    const std::size_t i = (id - kMenuIdBase) % kMenuIdStride;
    if (m >= form::kMenuBar.size() || i >= form::kMenuBar.at(m).items.size()) return;
    const form::MenuItem& item = form::kMenuBar.at(m).items[i];
    // A disabled item sends nothing; the check is for a command sent by hand.
    if ((GetMenuState(popups_.at(m), static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0) {
        return;
    }
    switch (item.command) {
        case form::Command::None:
        case form::Command::Separator:
            break;
        case form::Command::Quit:
            mnuKoniec_Click();
            break;
        case form::Command::SelectType:
            selectType(item.typ);
            break;
    }
}

LRESULT CALLBACK Win32Form::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR /*id*/, DWORD_PTR self) {
    auto* form = reinterpret_cast<Win32Form*>(self);
    switch (message) {
        case WM_CHAR: {
            // The handlers take the UTF-16 unit as a 16-bit integer, bit for bit.
            auto code = static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam));
            form->keyPress(box, code);
            wParam = static_cast<std::uint16_t>(code);
            break;
        }
        case WM_LBUTTONDBLCLK: {
            // The whole number: a word would end at the decimal comma.
            const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
            SendMessageW(box, EM_SETSEL, 0, -1);
            return result;
        }
        case WM_NCDESTROY:
            form->accessible_.forget(box);
            RemoveWindowSubclass(box, boxProc, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK Win32Form::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT Win32Form::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(wParam, lParam);
            return 0;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == control(Id::Label1_0)) {
                const form::Rgb red = form::kNameColour;
                auto* dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(red.red, red.green, red.blue));
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_ACTIVATE:
            // The window is no dialog: it keeps the focused control itself
            // across a message box or a switch to another program.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus) != FALSE) focus_ = focus;
            } else if (focus_ != nullptr && IsWindow(focus_) != FALSE) {
                SetFocus(focus_);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            applyDpi();
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETNONCLIENTMETRICS) applyDpi();
            break;
        case WM_PAINT:
            if (quitAfterPaint_) {
                quitAfterPaint_ = false;
                const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
                // The controls paint too before the loop ends.
                RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                PostQuitMessage(0);
                return result;
            }
            break;
        case WM_CLOSE:
            DestroyWindow(window_);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // nothing to save
        case WM_ENDSESSION:
            // The session ends (a logoff, a shutdown): close as a WM_CLOSE
            // does, before the system ends the process.
            if (wParam != FALSE) DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}
