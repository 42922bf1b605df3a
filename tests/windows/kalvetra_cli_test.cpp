#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "program.h"
#include "win32.h"

namespace {

struct Wynik {
    int kod = -1;
    std::string dane;
    std::string bledy;
};

std::filesystem::path katalogProgramu() {
    std::wstring sciezka(MAX_PATH, L'\0');
    sciezka.resize(GetModuleFileNameW(nullptr, sciezka.data(), MAX_PATH));
    return std::filesystem::path(sciezka).parent_path();
}

std::wstring wierszPolecen(const std::vector<std::string>& argumenty) {
    std::wstring w = L"\"" + (katalogProgramu() / L"kalvetra-cli.exe").wstring() + L"\"";
    for (const std::string& a : argumenty) w += L" \"" + platform::utf16(a) + L"\"";
    return w;
}

// Starts kalvetra-cli.exe with these standard handles and waits for it.
int uruchomZ(const std::vector<std::string>& argumenty, HANDLE we, HANDLE wy, HANDLE bl) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = we;
    si.hStdOutput = wy;
    si.hStdError = bl;
    PROCESS_INFORMATION pi{};
    std::wstring linia = wierszPolecen(argumenty);
    if (CreateProcessW(nullptr, linia.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                       &pi) == 0) {
        return -1;
    }
    CloseHandle(pi.hThread);
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD kod = 0;
    GetExitCodeProcess(pi.hProcess, &kod);
    CloseHandle(pi.hProcess);
    return static_cast<int>(kod);
}

std::string czytajDoKonca(HANDLE h) {
    std::string s;
    char bufor[65536];
    DWORD n = 0;
    while (ReadFile(h, bufor, sizeof bufor, &n, nullptr) != 0 && n > 0) s.append(bufor, n);
    CloseHandle(h);
    return s;
}

// kalvetra-cli.exe with its standard streams on pipes, as in a script.
Wynik przezPotoki(const std::vector<std::string>& argumenty, const std::string& wejscie) {
    SECURITY_ATTRIBUTES dziedziczone{sizeof dziedziczone, nullptr, TRUE};
    HANDLE potoki[3][2];  // [stream][0: read end, 1: write end]
    for (auto& p : potoki) CreatePipe(&p[0], &p[1], &dziedziczone, 0);
    SetHandleInformation(potoki[0][1], HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(potoki[1][0], HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(potoki[2][0], HANDLE_FLAG_INHERIT, 0);
    std::thread pisarz([&] {
        DWORD n = 0;
        WriteFile(potoki[0][1], wejscie.data(), static_cast<DWORD>(wejscie.size()), &n, nullptr);
        CloseHandle(potoki[0][1]);
    });
    Wynik w;
    std::thread bledy([&] { w.bledy = czytajDoKonca(potoki[2][0]); });
    std::thread proces([&] {
        w.kod = uruchomZ(argumenty, potoki[0][0], potoki[1][1], potoki[2][1]);
        for (const int i : {0, 1, 2}) CloseHandle(potoki[i][i == 0 ? 0 : 1]);
    });
    w.dane = czytajDoKonca(potoki[1][0]);
    proces.join();
    bledy.join();
    pisarz.join();
    return w;
}

Wynik wProcesie(const std::vector<std::string>& argumenty) {
    std::ostringstream dane;
    std::ostringstream bledy;
    const int kod = cli::uruchom(argumenty, dane, bledy);
    return {kod, dane.str(), bledy.str()};
}

class Plik {
  public:
    Plik(const std::wstring& nazwa, const std::string& tresc)
        : sciezka_(std::filesystem::temp_directory_path() / nazwa) {
        std::ofstream(sciezka_, std::ios::binary) << tresc;
    }
    ~Plik() { std::filesystem::remove(sciezka_); }
    Plik(const Plik&) = delete;
    Plik& operator=(const Plik&) = delete;
    [[nodiscard]] std::string utf8() const { return platform::utf8(sciezka_.wstring()); }

  private:
    std::filesystem::path sciezka_;
};

void oczekiwane(const Wynik& w, const Wynik& wzor, const std::string& co) {
    EXPECT_EQ(w.kod, wzor.kod) << co;
    EXPECT_EQ(w.dane, wzor.dane) << co;
    EXPECT_EQ(w.bledy, wzor.bledy) << co;
}

// Every byte passes through: CR before LF or alone, 0x1A (the C runtime's
// end of text), NUL, bytes that are not UTF-8, a last row without LF, and
// more than one read's worth from the pipe.
TEST(KalvetraCli, ConvertPrzepuszczaKazdyBajt) {
    std::string duzy;
    for (int i = 0; i < 150000; ++i) duzy += i % 3 == 0 ? "1,25\r\n" : "2,5\n";
    const std::string wejscia[] = {
        "emf;zimne\r\n1,5;20\n2,0;21\r\n\r\n3,5;22\r",
        "1,5;\x1a\n\x1a\n2,0\x1a;x\n4,0\n",
        std::string("1,5\0;a\n\0\n2,5;\0\0\r\n", 19),
        "\xef\xbb\xbf"
        "1,5;\xff\xfe zółć\n\xc3\n\xe2\x80\n4,0",
        duzy,
    };
    const std::vector<std::string> opcje = {"convert", "K", "--to", "temp", "--decimal-comma"};
    for (const std::string& wejscie : wejscia) {
        const std::string co = wejscie.substr(0, 40);
        const Plik plik(L"pomiary_zółć.csv", wejscie);
        std::vector<std::string> zPlikiem = opcje;
        zPlikiem.push_back(plik.utf8());
        const Wynik wzor = wProcesie(zPlikiem);
        ASSERT_NE(wzor.kod, 2) << co << wzor.bledy;
        ASSERT_GT(wzor.dane.size(), wejscie.size()) << co;
        oczekiwane(przezPotoki(opcje, wejscie), wzor, "stdin: " + co);
        oczekiwane(przezPotoki(zPlikiem, ""), wzor, "plik: " + co);
    }
}

// Arguments reach the program as typed and its Polish texts leave as UTF-8.
TEST(KalvetraCli, PolskieArgumentyIKomunikatyWUtf8) {
    const std::vector<std::vector<std::string>> wywolania = {
        {"emf", "K", "1500", "zółć", "550"},
        {"table", "K", "--from", "0", "--to", "3", "--format", "csv", "--decimal-comma"},
        {"convert", "K", "--to", "temp", "brak_źdźbła.csv"},
        {"tolerance", "--help"},
        {"wylicz"},
    };
    for (const auto& argumenty : wywolania) {
        oczekiwane(przezPotoki(argumenty, ""), wProcesie(argumenty), argumenty.front());
    }
}

// A console shows what the program writes, whatever its code page: the
// text goes as UTF-16.
TEST(KalvetraCli, KonsolaPokazujePolskieZnaki) {
    SECURITY_ATTRIBUTES dziedziczone{sizeof dziedziczone, nullptr, TRUE};
    const auto otworz = [&](const wchar_t* nazwa) {
        return CreateFileW(nazwa, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &dziedziczone, OPEN_EXISTING, 0, nullptr);
    };
    HANDLE we = INVALID_HANDLE_VALUE;
    HANDLE wy = INVALID_HANDLE_VALUE;
    CONSOLE_SCREEN_BUFFER_INFO bufor{};
    // wine's console host does not always come up at the first attempt.
    for (int proba = 0; proba < 10; ++proba) {
        FreeConsole();
        if (AllocConsole() != 0) {
            we = otworz(L"CONIN$");
            wy = otworz(L"CONOUT$");
            if (GetConsoleScreenBufferInfo(wy, &bufor) != 0) break;
            CloseHandle(we);
            CloseHandle(wy);
        }
        Sleep(200);
    }
    ASSERT_NE(GetConsoleScreenBufferInfo(wy, &bufor), 0);
    const auto szerokosc = static_cast<std::size_t>(bufor.dwSize.X);

    const std::vector<std::string> argumenty = {"emf", "K", "1500", "zółć", "550"};
    const Wynik wzor = wProcesie(argumenty);
    EXPECT_EQ(uruchomZ(argumenty, we, wy, wy), wzor.kod);
    // Each line starts a row; a long one runs on into the next rows.
    std::wstring oczekiwany;
    std::istringstream linie(wzor.dane + wzor.bledy);
    for (std::string linia; std::getline(linie, linia);) {
        std::wstring w = platform::utf16(linia);
        w.resize((w.size() / szerokosc + 1) * szerokosc, L' ');
        oczekiwany += w;
    }
    std::wstring ekran(oczekiwany.size(), L'\0');
    DWORD n = 0;
    ReadConsoleOutputCharacterW(wy, ekran.data(), static_cast<DWORD>(ekran.size()), COORD{0, 0},
                                &n);
    EXPECT_EQ(platform::utf8(ekran), platform::utf8(oczekiwany));
    CloseHandle(we);
    CloseHandle(wy);
    FreeConsole();
}

}  // namespace
