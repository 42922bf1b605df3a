// kalvetra.exe closed politely from outside: it ends as its own close ends it.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>  // before every other Windows header
// clang-format on

#include <filesystem>
#include <functional>
#include <string>

namespace {

std::filesystem::path katalogProgramu() {
    std::wstring sciezka(MAX_PATH, L'\0');
    sciezka.resize(GetModuleFileNameW(nullptr, sciezka.data(), MAX_PATH));
    return std::filesystem::path(sciezka).parent_path();
}

// Runs `linia` and waits for it; false if it could not start.
bool wykonaj(std::wstring linia) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(nullptr, linia.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi) == 0) {
        return false;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

struct Szukane {
    DWORD pid;
    HWND okno;
};

BOOL CALLBACK sprawdz(HWND okno, LPARAM dane) {
    auto* s = reinterpret_cast<Szukane*>(dane);
    DWORD pid = 0;
    GetWindowThreadProcessId(okno, &pid);
    wchar_t klasa[32] = {};
    GetClassNameW(okno, klasa, 32);
    if (pid != s->pid || std::wstring(klasa) != L"Kalvetra") return TRUE;
    s->okno = okno;
    return FALSE;
}

struct Sposob {
    const char* nazwa;
    std::function<void(HWND okno, DWORD pid)> zamknij;
};

TEST(Zamkniecie, GrzeczneZamkniecieZZewnatrzKonczyProgram) {
    const Sposob sposoby[] = {
        {"WM_CLOSE", [](HWND okno, DWORD) { PostMessageW(okno, WM_CLOSE, 0, 0); }},
        {"taskkill",
         [](HWND, DWORD pid) {
             EXPECT_TRUE(wykonaj(L"taskkill.exe /PID " + std::to_wstring(pid)));
         }},
        {"logoff",
         [](HWND okno, DWORD) {
             // The session asks first; a window with nothing to save agrees.
             EXPECT_NE(SendMessageW(okno, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
             SendMessageW(okno, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
         }},
    };
    for (const Sposob& s : sposoby) {
        std::wstring linia = L"\"" + (katalogProgramu() / L"kalvetra.exe").wstring() + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_NE(CreateProcessW(nullptr, linia.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &si, &pi),
                  0);
        WaitForInputIdle(pi.hProcess, INFINITE);
        Szukane szukane{pi.dwProcessId, nullptr};
        while (szukane.okno == nullptr && WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT) {
            EnumWindows(sprawdz, reinterpret_cast<LPARAM>(&szukane));
        }
        ASSERT_NE(szukane.okno, nullptr) << s.nazwa;
        s.zamknij(szukane.okno, pi.dwProcessId);
        // Only a guard against hanging: a program that closes does so at once.
        const bool zakonczony = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
        EXPECT_TRUE(zakonczony) << s.nazwa << ": still running";
        DWORD kod = 1;
        if (!zakonczony) TerminateProcess(pi.hProcess, 1);
        GetExitCodeProcess(pi.hProcess, &kod);
        EXPECT_EQ(kod, 0U) << s.nazwa;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

}  // namespace
