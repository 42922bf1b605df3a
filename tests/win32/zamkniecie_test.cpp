// kalvetra.exe closed politely from outside ends as its own close ends it.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>  // before every other Windows header
// clang-format on

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

TEST(Zamkniecie, GrzeczneZamkniecieZZewnatrzKonczyProgram) {
    std::wstring tu(MAX_PATH, L'\0');
    tu.resize(GetModuleFileNameW(nullptr, tu.data(), MAX_PATH));
    const std::wstring program = std::filesystem::path(tu).replace_filename(L"kalvetra.exe");
    for (const char* sposob : {"WM_CLOSE", "taskkill", "logoff"}) {
        std::wstring linia = L"\"" + program + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_NE(CreateProcessW(nullptr, linia.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &si, &pi),
                  0);
        WaitForInputIdle(pi.hProcess, INFINITE);
        HWND okno = nullptr;
        for (DWORD pid = 0; pid != pi.dwProcessId; GetWindowThreadProcessId(okno, &pid)) {
            ASSERT_EQ(WaitForSingleObject(pi.hProcess, 100), WAIT_TIMEOUT) << sposob;
            okno = FindWindowW(L"Kalvetra", nullptr);
        }
        if (std::string(sposob) == "WM_CLOSE") {
            PostMessageW(okno, WM_CLOSE, 0, 0);
        } else if (std::string(sposob) == "taskkill") {
            EXPECT_EQ(_wsystem((L"taskkill /PID " + std::to_wstring(pi.dwProcessId)).c_str()), 0);
        } else {
            // The session asks first; a window with nothing to save agrees.
            EXPECT_NE(SendMessageW(okno, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
            SendMessageW(okno, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        }
        // The limit only keeps a failure from hanging: a closed program ends at once.
        const bool zakonczony = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
        if (!zakonczony) TerminateProcess(pi.hProcess, 1);
        DWORD kod = 1;
        GetExitCodeProcess(pi.hProcess, &kod);
        EXPECT_TRUE(zakonczony && kod == 0) << sposob << ": still running or exit " << kod;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

}  // namespace
