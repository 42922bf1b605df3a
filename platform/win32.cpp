#include "win32.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <optional>

#include "platforma.h"

namespace platform {

namespace {

HANDLE uchwyt(Uchwyt u) {
    return reinterpret_cast<HANDLE>(u);  // NOLINT(performance-no-int-to-ptr)
}

std::optional<Powod> znany(DWORD kod) {
    switch (kod) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return Powod::BrakPliku;
        case ERROR_ACCESS_DENIED:
            return Powod::BrakUprawnien;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return Powod::PlikZajety;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return Powod::PelnyDysk;
        case ERROR_WRITE_PROTECT:
            return Powod::TylkoDoOdczytu;
        case ERROR_FILENAME_EXCED_RANGE:
            return Powod::ZaDlugaNazwa;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return Powod::ZlaNazwa;
        case ERROR_TOO_MANY_OPEN_FILES:
            return Powod::ZaDuzoPlikow;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return Powod::BrakPamieci;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
        case ERROR_IO_DEVICE:
            return Powod::BladUrzadzenia;
        default:
            return std::nullopt;
    }
}

// The reason for error `kod`, in one line of UTF-8: the program's words for
// the common ones, the system's text (in its language) for the rest.
std::string opisBledu(DWORD kod) {
    if (const std::optional<Powod> p = znany(kod)) return std::string(opis(*p));
    wchar_t* tekst = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, kod, 0, reinterpret_cast<wchar_t*>(&tekst), 0, nullptr);
    std::wstring opis(tekst, n);
    LocalFree(tekst);
    while (!opis.empty() && (opis.back() == L'\n' || opis.back() == L'\r' || opis.back() == L' ' ||
                             opis.back() == L'.')) {
        opis.pop_back();
    }
    return opis.empty() ? "błąd systemu " + std::to_string(kod) : utf8(opis);
}

// The bytes of `s` up to the last UTF-8 sequence that may still be cut
// short: that one waits for the next write.
std::size_t pelneSekwencje(std::string_view s) {
    const std::size_t od = s.size() > 3 ? s.size() - 3 : 0;
    for (std::size_t i = s.size(); i > od; --i) {
        const auto c = static_cast<unsigned char>(s[i - 1]);
        if (c < 0x80) return s.size();
        if (c >= 0xC0) {
            const std::size_t dlugosc = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            return s.size() - (i - 1) >= dlugosc ? s.size() : i - 1;
        }
    }
    return s.size();
}

// A standard stream: bytes unchanged to a file or pipe; to a console, the
// UTF-8 text as UTF-16, which the console shows whatever its code page.
class Standardowe final : public Wyjscie {
  public:
    explicit Standardowe(DWORD ktory) : h_(GetStdHandle(ktory)) {
        DWORD tryb = 0;
        konsola_ = h_ != nullptr && h_ != INVALID_HANDLE_VALUE && GetConsoleMode(h_, &tryb) != 0;
    }

    bool pisz(std::string_view bajty) override {
        return konsola_ ? piszKonsola(bajty) : piszBajty(bajty);
    }

    // A pipe closed by its reader: nobody to tell.
    [[nodiscard]] bool przerwane() const override { return przerwane_; }

    // A character still cut short is shown as U+FFFD.
    bool splucz() override {
        if (!konsola_ || reszta_.empty()) return true;
        const std::wstring tekst = utf16(reszta_);
        reszta_.clear();
        return piszUtf16(tekst);
    }

  private:
    bool piszBajty(std::string_view bajty) {
        while (!bajty.empty()) {
            const auto porcja = static_cast<DWORD>(
                std::min<std::size_t>(bajty.size(), std::numeric_limits<DWORD>::max()));
            DWORD n = 0;
            if (WriteFile(h_, bajty.data(), porcja, &n, nullptr) == 0 || n == 0) {
                const DWORD kod = GetLastError();
                // Each of these is a reader that has gone (wine reports the
                // last one where Windows reports one of the others).
                przerwane_ = przerwane_ || kod == ERROR_NO_DATA || kod == ERROR_BROKEN_PIPE ||
                             kod == ERROR_PIPE_NOT_CONNECTED;
                return false;
            }
            bajty.remove_prefix(n);
        }
        return true;
    }

    bool piszKonsola(std::string_view bajty) {
        reszta_ += bajty;
        const std::size_t pelne = pelneSekwencje(reszta_);
        const std::wstring tekst = utf16(std::string_view(reszta_).substr(0, pelne));
        reszta_.erase(0, pelne);
        return piszUtf16(tekst);
    }

    bool piszUtf16(std::wstring_view w) {
        while (!w.empty()) {
            DWORD n = 0;
            const auto porcja = static_cast<DWORD>(std::min<std::size_t>(w.size(), 8192));
            if (WriteConsoleW(h_, w.data(), porcja, &n, nullptr) == 0 || n == 0) return false;
            w.remove_prefix(n);
        }
        return true;
    }

    HANDLE h_;
    bool konsola_ = false;
    bool przerwane_ = false;
    std::string reszta_;  // the start of a character whose other bytes are to come
};

}  // namespace

std::wstring utf16(std::string_view s) {
    if (s.empty()) return {};
    const int dlugosc = static_cast<int>(std::min<std::size_t>(s.size(), INT_MAX));
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), dlugosc, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), dlugosc, w.data(), n);
    return w;
}

std::string utf8(std::wstring_view w) {
    if (w.empty()) return {};
    const int dlugosc = static_cast<int>(std::min<std::size_t>(w.size(), INT_MAX));
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), dlugosc, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), dlugosc, s.data(), n, nullptr, nullptr);
    return s;
}

std::unique_ptr<Wejscie> Wejscie::otworz(const std::string& sciezka, std::string& blad) {
    if (sciezka == "-") {
        return std::make_unique<Wejscie>(reinterpret_cast<Uchwyt>(GetStdHandle(STD_INPUT_HANDLE)),
                                         false);
    }
    // By its UTF-16 name: the ANSI code page cannot spell every file name.
    HANDLE h = CreateFileW(utf16(sciezka).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD kod = GetLastError();
        // A folder is refused as access denied; said as POSIX systems say it.
        const DWORD atrybuty = GetFileAttributesW(utf16(sciezka).c_str());
        const bool folder = kod == ERROR_ACCESS_DENIED && atrybuty != INVALID_FILE_ATTRIBUTES &&
                            (atrybuty & FILE_ATTRIBUTE_DIRECTORY) != 0;
        blad = folder ? std::string(opis(Powod::Folder)) : opisBledu(kod);
        return nullptr;
    }
    return std::make_unique<Wejscie>(reinterpret_cast<Uchwyt>(h), true);
}

Wejscie::Wejscie(Uchwyt u, bool wlasny) noexcept : uchwyt_(u), wlasny_(wlasny) {}

Wejscie::~Wejscie() {
    if (wlasny_) CloseHandle(uchwyt(uchwyt_));
}

bool Wejscie::gotowe() const {
    const HANDLE h = uchwyt(uchwyt_);
    switch (GetFileType(h)) {
        case FILE_TYPE_DISK:
            return true;
        case FILE_TYPE_PIPE: {
            DWORD czeka = 0;
            if (PeekNamedPipe(h, nullptr, 0, nullptr, &czeka, nullptr) != 0) return czeka > 0;
            // A broken pipe: the read returns at once. Any other failure
            // (wine cannot peek into a pipe from a Unix program: error 50)
            // leaves it unknown.
            return GetLastError() == ERROR_BROKEN_PIPE;
        }
        default:
            return false;
    }
}

std::ptrdiff_t Wejscie::czytaj(std::span<char> bufor, std::string& blad) {
    const auto porcja =
        static_cast<DWORD>(std::min<std::size_t>(bufor.size(), std::size_t{1} << 30));
    DWORD n = 0;
    if (ReadFile(uchwyt(uchwyt_), bufor.data(), porcja, &n, nullptr) != 0) return n;
    const DWORD kod = GetLastError();
    // The writer has closed its end: that is the end of the input.
    if (kod == ERROR_BROKEN_PIPE || kod == ERROR_HANDLE_EOF) return 0;
    blad = opisBledu(kod);
    return -1;
}

Wyjscie& standardoweWyjscie() {
    static Standardowe wyjscie(STD_OUTPUT_HANDLE);
    return wyjscie;
}

Wyjscie& standardoweBledy() {
    static Standardowe bledy(STD_ERROR_HANDLE);
    return bledy;
}

}  // namespace platform
