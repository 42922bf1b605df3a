// The Win32 window driven in-process: what it shows, where, its menus, key
// filter, focus and message boxes.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>  // before every other Windows header
// clang-format on

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "form.h"
#include "wide.h"
#include "win32_form.h"

namespace {

using form::Id;

std::string text(HWND w) {
    return toUtf8(windowText(w));
}

struct Shown {
    std::string text;
    HWND focus;  // when the box opened
};

class Win32FormTest : public testing::Test {
  protected:
    void SetUp() override { start(record()); }
    void TearDown() override { close(); }
    void close() {
        form_.reset();
        // Closing posts the quit that would end the next message box at once.
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        }
    }
    void start(Win32WindowOps::ShowMessage show) {
        close();
        form_ = std::make_unique<Win32Form>(GetModuleHandleW(nullptr), std::move(show));
        form_->show(SW_SHOW);
        SetForegroundWindow(form_->window());
    }
    Win32WindowOps::ShowMessage record() {
        return [this](HWND, const std::wstring& t) { shown_.push_back({toUtf8(t), GetFocus()}); };
    }
    HWND at(Id id) const { return form_->control(id); }
    void type(Id id, std::wstring_view keys) {
        for (wchar_t c : keys) SendMessageW(at(id), WM_CHAR, c, 0);
    }
    void choose(std::size_t menu, std::size_t item) {
        SendMessageW(form_->window(), WM_COMMAND, Win32Form::menuCommand(menu, item), 0);
    }
    UINT state(std::size_t menu, std::size_t item) const {
        return GetMenuState(form_->menu(menu), static_cast<UINT>(item), MF_BYPOSITION);
    }
    std::string tooltip(Id id) const {
        HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
        while (tip != nullptr && GetWindow(tip, GW_OWNER) != form_->window()) {
            tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr);
        }
        std::wstring buffer(1024, L'\0');
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = form_->window();
        tool.uId = reinterpret_cast<UINT_PTR>(at(id));
        tool.lpszText = buffer.data();
        SendMessageW(tip, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
        return toUtf8(buffer.c_str());
    }

    std::unique_ptr<Win32Form> form_;
    std::vector<Shown> shown_;
};

TEST_F(Win32FormTest, StartsWithTypeJTheCaptionsAndTheFocusInTheFirstBox) {
    EXPECT_EQ(text(form_->window()), "Kalvetra");
    EXPECT_EQ(form_->Typ(), 0);
    EXPECT_EQ(GetFocus(), at(Id::Text1_0));
    const std::vector<std::pair<Id, std::string>> expected{{Id::Frame2, "Dopuszczalny Błąd"},
                                                           {Id::Frame3, "Temperatura --- > EMF"},
                                                           {Id::Label1_0, "Termopara J"},
                                                           {Id::Label1_2, "Fe-CuNi"},
                                                           {Id::Label2_1, "Klasa 1 ±"},
                                                           {Id::Label3_1, "Zimne złącze [°C]"},
                                                           {Id::Command3, "Wylicz"},
                                                           {Id::Text2_1, "0"},
                                                           {Id::Text3_1, "0"},
                                                           {Id::Text3_2, ""}};
    for (const auto& [id, caption] : expected) EXPECT_EQ(text(at(id)), caption);
}

TEST_F(Win32FormTest, ClientAreaAndControlsSitAtTheirTwipsAt96DpiAndFollowADpiChange) {
    ASSERT_EQ(form_->dpi(), 96U) << "the client check below is in 96-dpi pixels";
    RECT client;
    GetClientRect(form_->window(), &client);
    EXPECT_EQ(client.right, 10230 / 15);
    EXPECT_EQ(client.bottom, 4965 / 15);
    // 144 dpi: 10 twips a pixel, halves rounded up; each number converted alone.
    const auto px = [](int twips, int dpi) { return dpi == 96 ? twips / 15 : (twips + 5) / 10; };
    for (const int dpi : {96, 144}) {
        if (dpi != 96) {
            RECT suggested{0, 0, 1100, 600};
            SendMessageW(form_->window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
        }
        for (const form::Control& c : form::kControls) {
            RECT r;
            GetWindowRect(at(c.id), &r);
            MapWindowPoints(nullptr, form_->window(), reinterpret_cast<POINT*>(&r), 2);
            const form::Rect p = c.parent ? form::control(*c.parent).where : form::Rect{};
            EXPECT_EQ(r.left, px(p.left, dpi) + px(c.where.left, dpi)) << c.name << dpi;
            EXPECT_EQ(r.top, px(p.top, dpi) + px(c.where.top, dpi)) << c.name << dpi;
            EXPECT_EQ(r.right - r.left, px(c.where.width, dpi)) << c.name << dpi;
            EXPECT_EQ(r.bottom - r.top, px(c.where.height, dpi)) << c.name << dpi;
        }
    }
}

TEST_F(Win32FormTest, TabFollowsTheFormAndEachCaptionDirectlyPrecedesItsBox) {
    HWND w = at(form::kTabOrder.front());
    for (std::size_t i = 1; i <= form::kTabOrder.size(); ++i) {
        w = GetNextDlgTabItem(form_->window(), w, FALSE);
        EXPECT_EQ(w, at(form::kTabOrder.at(i % form::kTabOrder.size()))) << i;
    }
    for (const form::Control& c : form::kControls) {
        if (const auto box = form::boxOf(c.id)) {
            EXPECT_EQ(GetWindow(at(c.id), GW_HWNDNEXT), at(*box)) << c.name;
        }
    }
    EXPECT_NE(GetWindowLongW(at(Id::Text1_1), GWL_STYLE) & ES_READONLY, 0) << "read-only";
}

TEST_F(Win32FormTest, TypeMenuMovesTheSingleMarkAndResetsTheBoxes) {
    EXPECT_NE(state(0, 0) & MF_GRAYED, 0U) << "Drukuj";
    choose(0, 0);
    EXPECT_TRUE(IsWindow(form_->window()));
    // Menu position -> catalogue index and the alloy symbol shown: S before R,
    // a separator, then C and A.
    const std::vector<std::pair<int, std::string>> items{
        {0, "Fe-CuNi"},     {1, "NiCr-NiAl"},    {2, "Cu-CuNi"},   {3, "NiCr-CuNi"},
        {4, "NiCrSi-NiSi"}, {5, "PtRh30-PtRh6"}, {7, "PtRh10-Pt"}, {6, "PtRh13-Pt"},
        {-1, ""},           {8, "W5Re-W26Re"},   {9, "W5Re-W20Re"}};
    EXPECT_NE(state(1, 8) & MF_SEPARATOR, 0U);
    for (std::size_t chosen = 0; chosen < items.size(); ++chosen) {
        if (items[chosen].first < 0) continue;
        type(Id::Text3_1, L"25");
        SetWindowTextW(at(Id::Text2_2), L"1,0000");
        choose(1, chosen);
        EXPECT_EQ(form_->Typ(), items[chosen].first);
        EXPECT_EQ(text(at(Id::Label1_2)), items[chosen].second);
        EXPECT_EQ(text(at(Id::Text3_1)), "0");
        EXPECT_EQ(text(at(Id::Text2_2)), "");
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ((state(1, i) & MF_CHECKED) != 0, i == chosen) << chosen << " " << i;
        }
    }
}

TEST_F(Win32FormTest, TypedFullStopBecomesCommaAndReadOnlyBoxesTakeNothing) {
    type(Id::Text1_0, L"1.5a,");
    EXPECT_EQ(text(at(Id::Text1_0)), "1,5a,");
    type(Id::Text3_2, L"1.5");
    EXPECT_EQ(text(at(Id::Text3_2)), "");
}

struct Case {
    std::vector<std::pair<Id, std::wstring>> input;
    Id button;
    std::vector<std::string> messages;
    Id focus;  // after the last box closed
};

TEST_F(Win32FormTest, MessagesComeInOrderThenTheFocusMoves) {
    const std::vector<Case> cases{
        {{{Id::Text2_0, L"abc"}}, Id::Command2, {"Niepoprawna wartość numeryczna"}, Id::Text2_0},
        {{{Id::Text3_0, L"1"}, {Id::Text3_1, L"5000"}},
         Id::Command3,
         {"Czy nie przesadziłeś z tą temperaturą zimnego złącza?"},
         Id::Text3_1},
        {{{Id::Text1_0, L"-100"}},
         Id::Command1,
         {"Wartość temperatury poza klasyfikacją dla Klasy 1",
          "Wartość temperatury poza klasyfikacją dla Klasy 2"},
         Id::Command1},
    };
    for (const Case& c : cases) {
        shown_.clear();
        for (const auto& [id, t] : c.input) SetWindowTextW(at(id), t.c_str());
        SendMessageW(at(c.button), BM_CLICK, 0, 0);
        ASSERT_EQ(shown_.size(), c.messages.size());
        for (std::size_t i = 0; i < shown_.size(); ++i) {
            EXPECT_EQ(shown_[i].text, c.messages[i]);
            EXPECT_EQ(shown_[i].focus, at(c.button)) << "focus moved before the box closed";
        }
        EXPECT_EQ(GetFocus(), at(c.focus));
    }
}

TEST_F(Win32FormTest, ResultsExplainThemselvesUntilTheNextSelection) {
    SetWindowTextW(at(Id::Text2_0), L"100");
    SetWindowTextW(at(Id::Text3_0), L"4,0962");
    SendMessageW(at(Id::Command2), BM_CLICK, 0, 0);
    SendMessageW(at(Id::Command3), BM_CLICK, 0, 0);
    EXPECT_EQ(tooltip(Id::Text2_2).rfind("Współczynnik Seebecka: ", 0), 0U) << tooltip(Id::Text2_2);
    EXPECT_EQ(tooltip(Id::Text3_2).rfind("Wielomian odwrotny NIST: ", 0), 0U)
        << tooltip(Id::Text3_2);
    choose(1, 0);
    EXPECT_EQ(tooltip(Id::Text2_2), "");
    EXPECT_EQ(tooltip(Id::Text3_2), "");
}

TEST_F(Win32FormTest, EnterInABoxStartsNothingButPressesAFocusedButton) {
    SetWindowTextW(at(Id::Text2_0), L"abc");
    const auto enter = [this](Id id) {
        SetFocus(at(id));
        MSG m{at(id), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        EXPECT_TRUE(form_->navigate(m));
    };
    enter(Id::Text2_0);
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(GetFocus(), at(Id::Text2_0));
    enter(Id::Command2);
    EXPECT_EQ(shown_.size(), 1U);
}

// The real message box: titled "Wexa", the text, one OK button, no icon.
TEST_F(Win32FormTest, MessageBoxIsWexaWithOkOnlyAndGivesTheFocusBack) {
    start(showMessage);
    static std::vector<std::string> seen;
    seen.clear();
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        HWND box = FindWindowW(L"#32770", L"Wexa");
        if (box == nullptr) return;
        KillTimer(nullptr, timer);
        for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            const bool icon = (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                              SendMessageW(c, STM_GETICON, 0, 0) != 0;
            if (IsWindowVisible(c) != FALSE && (icon || !text(c).empty())) {
                seen.push_back(icon ? "<icon>" : text(c));
            }
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    SetWindowTextW(at(Id::Text3_0), L"x");
    SendMessageW(at(Id::Command3), BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"OK", "Niepoprawna wartość numeryczna EMF"}));
    EXPECT_EQ(GetFocus(), at(Id::Text3_0));
}

TEST_F(Win32FormTest, KoniecEndsTheProgram) {
    choose(0, 1);
    EXPECT_FALSE(IsWindow(form_->window()));
    MSG m;
    EXPECT_NE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), FALSE);
}

}  // namespace
