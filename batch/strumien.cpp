#include "strumien.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <vector>

namespace konwersja {

namespace {

// Whether a read would return at once (data or end of input).
bool gotowe(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) != 0;
}

class Strumien final : public Odbiorca {
  public:
    Strumien(std::ostream& dane, std::ostream& bledy) : dane_(dane), bledy_(bledy) {}

    void wypisz(std::string_view bajty) override {
        dane_.write(bajty.data(), static_cast<std::streamsize>(bajty.size()));
        if (!komunikaty_.empty()) wypiszKomunikaty();
    }

    void odrzucony(std::uint64_t linia, std::string_view powod) override {
        komunikaty_ += std::to_string(linia);
        komunikaty_ += ": ";
        komunikaty_ += powod;
        komunikaty_ += '\n';
        if (komunikaty_.size() >= 65536) wypiszKomunikaty();
    }

    void wypiszKomunikaty() {
        bledy_ << komunikaty_;
        komunikaty_.clear();
    }

    void splucz() {
        dane_.flush();
        wypiszKomunikaty();
        bledy_.flush();
    }

    [[nodiscard]] bool dobry() const { return dane_.good(); }

  private:
    std::ostream& dane_;
    std::ostream& bledy_;
    std::string komunikaty_;
};

}  // namespace

Podsumowanie konwertuj(int we, std::ostream& dane, std::ostream& bledy, const Opcje& opcje,
                       const Bloki& bloki) {
    Strumien strumien(dane, bledy);
    Konwerter konwerter(opcje, strumien);
    Podsumowanie wynik;
    std::vector<char> blok(bloki.rozmiar);
    bool koniec = false;
    while (!koniec && strumien.dobry()) {
        std::size_t n = 0;
        while (n < blok.size()) {
            if (!gotowe(we)) {
                if (n > 0) break;
                // About to wait for input: what is converted goes out first.
                konwerter.oproznij();
                strumien.splucz();
            }
            const ssize_t r = ::read(we, blok.data() + n, blok.size() - n);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) {
                wynik.blad = std::string("błąd odczytu wejścia: ") + std::strerror(errno);
                koniec = true;
                break;
            }
            if (r == 0) {
                koniec = true;
                break;
            }
            n += static_cast<std::size_t>(r);
        }
        konwerter.dodajRownolegle({blok.data(), n}, bloki.rownolegle);
    }
    // After a read error the row cut short gets no result: its number may
    // be cut short too.
    if (wynik.blad.empty()) {
        konwerter.zakoncz();
    } else {
        konwerter.oproznij();
    }
    strumien.splucz();
    if (!strumien.dobry() && wynik.blad.empty()) wynik.blad = "błąd zapisu wyniku";
    wynik.wiersze = konwerter.wiersze();
    wynik.odrzucone = konwerter.odrzucone();
    return wynik;
}

}  // namespace konwersja
