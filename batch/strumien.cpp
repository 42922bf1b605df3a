#include "strumien.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace konwersja {

namespace {

bool zapiszWszystko(int fd, std::string_view bajty) {
    while (!bajty.empty()) {
        const ssize_t n = ::write(fd, bajty.data(), bajty.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bajty.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Whether a read would return at once (data or end of input).
bool gotowe(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) != 0;
}

class Strumien final : public Odbiorca {
  public:
    Strumien(int wy, int bledy) : wy_(wy), bledy_(bledy) {}

    void wypisz(std::string_view bajty) override {
        if (!blad_ && !zapiszWszystko(wy_, bajty)) blad_ = errno;
        if (!komunikaty_.empty()) wypiszKomunikaty();
    }

    void odrzucony(std::uint64_t linia, std::string_view powod) override {
        komunikaty_ += std::to_string(linia);
        komunikaty_ += ": ";
        komunikaty_ += powod;
        komunikaty_ += '\n';
        if (komunikaty_.size() >= 65536) wypiszKomunikaty();
    }

    void komunikat(const std::string& tekst) {
        komunikaty_ += tekst;
        komunikaty_ += '\n';
        wypiszKomunikaty();
    }

    void wypiszKomunikaty() {
        zapiszWszystko(bledy_, komunikaty_);
        komunikaty_.clear();
    }

    [[nodiscard]] int blad() const { return blad_; }

  private:
    int wy_;
    int bledy_;
    int blad_ = 0;
    std::string komunikaty_;
};

}  // namespace

int konwertuj(int we, int wy, int bledy, const Opcje& opcje, const Bloki& bloki) {
    Strumien strumien(wy, bledy);
    Konwerter konwerter(opcje, strumien);
    std::vector<char> blok(bloki.rozmiar);
    bool koniec = false;
    while (!koniec && strumien.blad() == 0) {
        std::size_t n = 0;
        while (n < blok.size()) {
            if (!gotowe(we)) {
                if (n > 0) break;
                // About to wait for input: whatever is converted goes out first.
                konwerter.oproznij();
                strumien.wypiszKomunikaty();
            }
            const ssize_t r = ::read(we, blok.data() + n, blok.size() - n);
            if (r < 0) {
                if (errno == EINTR) continue;
                const int e = errno;
                konwerter.oproznij();
                strumien.komunikat(std::string("błąd odczytu wejścia: ") + std::strerror(e));
                return 2;
            }
            if (r == 0) {
                koniec = true;
                break;
            }
            n += static_cast<std::size_t>(r);
        }
        konwerter.dodajRownolegle({blok.data(), n}, bloki.rownolegle);
    }
    konwerter.zakoncz();
    if (strumien.blad() != 0) {
        strumien.komunikat(std::string("błąd zapisu wyniku: ") + std::strerror(strumien.blad()));
        return 2;
    }
    if (konwerter.odrzucone() != 0) {
        strumien.komunikat("odrzucone wiersze: " + std::to_string(konwerter.odrzucone()) + " z " +
                           std::to_string(konwerter.wiersze()));
        return 1;
    }
    strumien.wypiszKomunikaty();
    return 0;
}

}  // namespace konwersja
