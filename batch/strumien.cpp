#include "strumien.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "poczatek.h"

namespace batch {

namespace {

// Passes the converter's output and refusals on to the two outputs.
class Przekaznik final : public Odbiorca {
  public:
    Przekaznik(platform::Wyjscie& dane, platform::Wyjscie& bledy) : dane_(dane), bledy_(bledy) {}

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
                       const Konfiguracja& konfiguracja, const Bloki& bloki,
                       std::string_view przeczytane) {
    Przekaznik przekaznik(dane, bledy);
    Konwerter konwerter(konfiguracja, przekaznik);
    Podsumowanie wynik;
    std::vector<char> blok(bloki.rozmiar);
    std::string powod;
    bool koniec = false;
    // The first two bytes tell an encoding the converter cannot read: it is
    // refused before anything is written.
    std::string poczatek(przeczytane);
    while (poczatek.size() < 2 && !koniec) {
        const std::ptrdiff_t r = we.czytaj(blok, powod);
        if (r < 0) wynik.blad = "błąd odczytu wejścia: " + powod;
        koniec = r <= 0;
        if (r > 0) poczatek.append(blok.data(), static_cast<std::size_t>(r));
    }
    if (std::string k = kodowanie(poczatek); !k.empty()) {
        wynik.blad = std::move(k);
        return wynik;
    }
    konwerter.dodaj(poczatek);
    while (!koniec && przekaznik.dobry()) {
        std::size_t n = 0;
        while (n < blok.size()) {
            if (!we.gotowe()) {
                if (n > 0) break;
                // About to wait for input: what is converted goes out first.
                konwerter.oproznij();
                przekaznik.splucz();
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
    przekaznik.splucz();
    if (!przekaznik.dobry() && wynik.blad.empty()) wynik.blad = "błąd zapisu wyniku";
    wynik.wiersze = konwerter.wiersze();
    wynik.odrzucone = konwerter.odrzucone();
    return wynik;
}

}  // namespace batch
