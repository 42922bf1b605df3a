#include "konwerter.h"

#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "znaki.h"

namespace batch {

// Collects what a converter working on a later piece of the block reports,
// until the rows before it are done; its output stays in its own buffer.
class Zbiornik final : public Odbiorca {
  public:
    explicit Zbiornik(bool sledzi) : sledzi_(sledzi) {}

    void wypisz(std::string_view /*bajty*/) override {}
    void odrzucony(std::uint64_t linia, std::string_view powod) override {
        odrzucenia.emplace_back(linia, std::string(powod));
    }
    [[nodiscard]] bool sledziPola() const override { return sledzi_; }
    void dodanePole(std::uint64_t pozycja, std::size_t dlugosc) override {
        pola.emplace_back(pozycja, dlugosc);
    }

    std::vector<std::pair<std::uint64_t, std::string>> odrzucenia;
    std::vector<std::pair<std::uint64_t, std::size_t>> pola;

  private:
    bool sledzi_;
};

bool Odbiorca::sledziPola() const {
    return false;
}

void Odbiorca::dodanePole(std::uint64_t /*pozycja*/, std::size_t /*dlugosc*/) {}

Konwerter::Konwerter(const Konfiguracja& konfiguracja, Odbiorca& odbiorca, bool poczatekPliku)
    : konfiguracja_(konfiguracja),
      czytanie_(separatorLiczb(konfiguracja.separator)),
      odbiorca_(odbiorca),
      sledzPola_(odbiorca.sledziPola()),
      bomRozstrzygniety_(!poczatekPliku),
      naglowekOczekuje_(poczatekPliku && konfiguracja.naglowek),
      kolumny_(konfiguracja.kolumna, konfiguracja.kolumnaZimnego) {
    specjalne_[bajt(konfiguracja_.separator)] = true;
    specjalne_['\r'] = true;
    specjalne_['\n'] = true;
    wCudzyslowie_['"'] = true;
    wCudzyslowie_['\n'] = true;
    wWierszu_ = specjalne_;
    wWierszu_['"'] = true;
}

Konwerter::~Konwerter() = default;

void Konwerter::zakoncz() {
    if (!bomRozstrzygniety_) {
        bomRozstrzygniety_ = true;
        skanuj(kBom.data(), kBom.data() + bomDopasowane_);
    }
    // A CR as the very last byte: a CRLF cut short, so it ends the line.
    const bool cr = std::exchange(wstrzymanyCR_, false);
    koniecWiersza(cr ? "\r" : "");
    oproznij();
}

void Konwerter::dodajRownolegle(std::string_view bajty, std::size_t minimum) {
    if (bajty.size() < minimum || bajty.size() < 2) {
        dodaj(bajty);
        return;
    }
    const auto dlugosc = static_cast<double>(bajty.size());
    std::size_t podzial = bajty.find('\n', static_cast<std::size_t>(dlugosc * udzial_));
    const std::size_t ostatni = bajty.rfind('\n');
    if (podzial == std::string_view::npos || podzial == ostatni) {
        dodaj(bajty);
        return;
    }
    ++podzial;
    const std::string_view pierwsza = bajty.substr(0, podzial);
    const std::string_view druga = bajty.substr(podzial, ostatni + 1 - podzial);
    const std::string_view reszta = bajty.substr(ostatni + 1);

    // The second part is converted as if a row began there; that holds when
    // the first part ends outside quotes, which is checked after both.
    if (!drugi_) {
        zbiornik_ = std::make_unique<Zbiornik>(sledzPola_);
        drugi_ = std::make_unique<Konwerter>(konfiguracja_, *zbiornik_, false);
        // Its whole output waits in its buffer until this thread takes it.
        drugi_->pojemnosc_ = SIZE_MAX;
    }
    drugi_->wyzeruj();
    zbiornik_->odrzucenia.clear();
    zbiornik_->pola.clear();
    Konwerter& drugi = *drugi_;
    using Zegar = std::chrono::steady_clock;
    Zegar::time_point koniecDrugiego;
    std::thread watek([&drugi, druga, &koniecDrugiego] {
        drugi.dodaj(druga);
        koniecDrugiego = Zegar::now();
    });
    // Writing while the other thread converts: what waited from the last
    // block, then this block's first part.
    oproznij();
    dodaj(pierwsza);
    oproznij();
    const Zegar::time_point koniecPierwszego = Zegar::now();
    watek.join();
    // This thread also reads and writes between blocks: move the split
    // towards whichever thread finished first.
    udzial_ += koniecDrugiego > koniecPierwszego ? 0.01 : -0.01;
    udzial_ = udzial_ < 0.2 ? 0.2 : (udzial_ > 0.8 ? 0.8 : udzial_);
    if (naGranicyWiersza() && drugi.naGranicyWiersza()) {
        przejmij(drugi);
    } else {
        dodaj(druga);
    }
    dodaj(reszta);
}

void Konwerter::wyzeruj() {
    wyjscie_.clear();
    wypisane_ = 0;
    stan_ = Stan::PoczatekPola;
    wstrzymanyCR_ = false;
    wierszMaBajty_ = false;
    linia_ = 1;
    liniaWiersza_ = 1;
    kolumny_.wyczysc();
    wiersze_ = 0;
    odrzucone_ = 0;
}

void Konwerter::przejmij(Konwerter& drugi) {
    // The second part's output waits to be written during the next block;
    // everything after it is written after it.
    oproznij();
    for (const auto& [pozycja, dlugosc] : zbiornik_->pola) {
        odbiorca_.dodanePole(wypisane_ + pozycja, dlugosc);
    }
    oczekujace_.swap(drugi.wyjscie_);
    for (const auto& [linia, powod] : zbiornik_->odrzucenia) {
        odbiorca_.odrzucony(linia_ + linia - 1, powod);
    }
    linia_ += drugi.linia_ - 1;
    liniaWiersza_ = linia_;
    wiersze_ += drugi.wiersze_;
    odrzucone_ += drugi.odrzucone_;
}

}  // namespace batch
