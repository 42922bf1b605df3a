#include "strumien.h"

#include <span>
#include <vector>

namespace batch {

namespace {

class Strumien final : public Odbiorca {
  public:
    Strumien(platform::Wyjscie& dane, platform::Wyjscie& bledy) : dane_(dane), bledy_(bledy) {}

    void wypisz(std::string_view bajty) override {
        dobry_ = dobry_ && dane_.pisz(bajty);
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
        bledy_.pisz(komunikaty_);
        komunikaty_.clear();
    }

    void splucz() {
        dobry_ = dobry_ && dane_.splucz();
        wypiszKomunikaty();
        bledy_.splucz();
    }

    [[nodiscard]] bool dobry() const { return dobry_; }

  private:
    platform::Wyjscie& dane_;
    platform::Wyjscie& bledy_;
    std::string komunikaty_;
    bool dobry_ = true;
};

}  // namespace

Podsumowanie konwertuj(platform::Wejscie& we, platform::Wyjscie& dane, platform::Wyjscie& bledy,
                       const Opcje& opcje, const Bloki& bloki, std::string_view przeczytane) {
    Strumien strumien(dane, bledy);
    Konwerter konwerter(opcje, strumien);
    konwerter.dodaj(przeczytane);
    Podsumowanie wynik;
    std::vector<char> blok(bloki.rozmiar);
    std::string powod;
    bool koniec = false;
    while (!koniec && strumien.dobry()) {
        std::size_t n = 0;
        while (n < blok.size()) {
            if (!we.gotowe()) {
                if (n > 0) break;
                // About to wait for input: what is converted goes out first.
                konwerter.oproznij();
                strumien.splucz();
            }
            const std::ptrdiff_t r = we.czytaj(std::span(blok).subspan(n), powod);
            if (r < 0) {
                wynik.blad = "błąd odczytu wejścia: " + powod;
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

}  // namespace batch
