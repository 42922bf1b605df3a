#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#include "konwerter.h"

// Writing: the rows passed through with their results, and the output passed
// on to the receiver.
namespace batch {

namespace {

constexpr std::uint32_t potega10(int c) {
    std::uint32_t p = 1;
    for (int i = 0; i < c; ++i) p *= 10;
    return p;
}

// A result in the row's output, the way numbers::dopisz writes it, when it
// lies well away from a half of its last decimal: then its digits are the
// same under any rounding of halves. |x| * 10^Cyfry below 1e9 is within
// 1.2e-7 of its exact value, so a fraction more than 1e-6 from 0.5 rounds
// the same. Nothing written (nullptr) when numbers::dopisz must decide.
template <int Cyfry>
char* zapiszLiczbe(char* w, double x, char przecinek) {
    if constexpr (Cyfry < 0) return nullptr;
    constexpr std::uint32_t kSkala = potega10(Cyfry);
    const double y = std::fabs(x) * kSkala;
    if (!(y < 1e9)) return nullptr;
    // Below 2^32 the truncation is the floor.
    const auto calosc = static_cast<std::uint32_t>(y);
    const double ulamek = y - calosc;
    if (std::fabs(ulamek - 0.5) <= 1e-6) return nullptr;
    const std::uint32_t n = calosc + (ulamek > 0.5 ? 1U : 0U);
    if (n != 0 && std::signbit(x)) *w++ = '-';
    constexpr std::ptrdiff_t kMiejsce = 20;
    if constexpr (Cyfry == 0) {
        return std::to_chars(w, w + kMiejsce, n).ptr;
    } else {
        // One number: the integer part, a 1 that becomes the decimal
        // separator, the decimals; written in place and never read back (a
        // byte just stored is slow to read in a wider load). A leading "0"
        // for the integer part when it is zero.
        const std::uint32_t calkowite = n / kSkala;
        *w = '0';
        w += calkowite == 0 ? 1 : 0;
        const std::uint64_t cyfry = std::uint64_t{calkowite} * (std::uint64_t{10} * kSkala) +
                                    kSkala + (n - calkowite * kSkala);
        // Below 2^32 (nearly always) in 32 bits: shorter work.
        w = cyfry <= UINT32_MAX
                ? std::to_chars(w, w + kMiejsce, static_cast<std::uint32_t>(cyfry)).ptr
                : std::to_chars(w, w + kMiejsce, cyfry).ptr;
        w[-Cyfry - 1] = przecinek;
        return w;
    }
}

// Bytes a row's output may take beyond its input: the delimiter and a
// result of zapiszLiczbe.
constexpr std::size_t kNaWynik = 24;
// A row of at most this many bytes is copied in one piece of this size.
constexpr std::size_t kKopia = 32;

}  // namespace

void Konwerter::dopiszWyjscie(const char* od, const char* doo) {
    wyjscie_.append(od, static_cast<std::size_t>(doo - od));
}

void Konwerter::koniecWiersza(std::string_view zakonczenie) {
    if (wierszMaBajty_) {
        const std::uint64_t pozycja = wypisane_ + oczekujace_.size() + wyjscie_.size();
        wyjscie_ += konfiguracja_.separator;
        if (naglowekOczekuje_) {
            wyjscie_.append(nazwaKolumny(konfiguracja_));
        } else {
            ++wiersze_;
            wynik();
        }
        if (sledzPola_) {
            odbiorca_.dodanePole(pozycja, static_cast<std::size_t>(wypisane_ + oczekujace_.size() +
                                                                   wyjscie_.size() - pozycja));
        }
    }
    // The header is the first line, even an empty one.
    naglowekOczekuje_ = false;
    wyjscie_.append(zakonczenie);
    if (!zakonczenie.empty() && zakonczenie.back() == '\n') ++linia_;
    liniaWiersza_ = linia_;
    wierszMaBajty_ = false;
    stan_ = Stan::PoczatekPola;
    kolumny_.wyczysc();
    if (wyjscie_.size() >= pojemnosc_) oproznij();
}

void Konwerter::zapiszWsad(std::size_t n, const char* const koniec) {
    // The digits asked for, fixed at compile time: the counts the command
    // line allows, and a writer that leaves every result to numbers::dopisz.
    using Pisz = char* (*)(char*, double, char);
    static constexpr std::array<Pisz, 11> kPisz{
        &zapiszLiczbe<0>, &zapiszLiczbe<1>, &zapiszLiczbe<2>, &zapiszLiczbe<3>,
        &zapiszLiczbe<4>, &zapiszLiczbe<5>, &zapiszLiczbe<6>, &zapiszLiczbe<7>,
        &zapiszLiczbe<8>, &zapiszLiczbe<9>, &zapiszLiczbe<-1>};
    const int c = konfiguracja_.cyfry;
    const Pisz pisz = kPisz.at(c >= 0 && c <= 9 ? static_cast<std::size_t>(c) : 10);
    const Wsad& wsad = *wsad_;
    const char separator = konfiguracja_.separator;
    const char przecinek = konfiguracja_.przecinek ? ',' : '.';
    const bool sledz = sledzPola_;
    // Counted here, not in members that every call out would make reread.
    std::uint64_t wiersze = 0;
    std::uint64_t linie = 0;
    // Written through a pointer into room made beforehand, given back after.
    std::size_t poczatek = 0;
    char* w = nullptr;
    const auto zrobMiejsce = [&](std::size_t i) {
        poczatek = wyjscie_.size();
        const auto bajty = static_cast<std::size_t>(wsad.poczatek[n] - wsad.poczatek[i]);
        wyjscie_.resize(poczatek + bajty + (n - i) * kNaWynik + kKopia + 2);
        w = wyjscie_.data() + poczatek;
    };
    const auto oddajMiejsce = [&] {
        wyjscie_.resize(static_cast<std::size_t>(w - wyjscie_.data()));
    };
    zrobMiejsce(0);
    for (std::size_t i = 0; i < n; ++i) {
        const char* const r = wsad.poczatek[i];
        const auto dlugosc = static_cast<std::size_t>(wsad.tresc[i] - r);
        const bool crlf = wsad.poczatek[i + 1] - wsad.tresc[i] == 2;
        const Wsad::Rodzaj rodzaj = wsad.rodzaj[i];
        if (rodzaj == Wsad::Rodzaj::Ogolny ||
            (rodzaj == Wsad::Rodzaj::Liczby && !wsad.wynik[i].dobry())) {
            // Row by row, as a row that does not fit here.
            oddajMiejsce();
            linia_ += std::exchange(linie, 0);
            wiersze_ += std::exchange(wiersze, 0);
            liniaWiersza_ = linia_;
            const char* const q = wiersz(r, koniec);
            wierszMaBajty_ = true;
            dopiszWyjscie(r, q);
            koniecWiersza(crlf ? "\r\n" : "\n");
            zrobMiejsce(i + 1);
            continue;
        }
        if (dlugosc <= kKopia && koniec - r >= static_cast<std::ptrdiff_t>(kKopia)) {
            std::memcpy(w, r, kKopia);
        } else {
            std::memcpy(w, r, dlugosc);
        }
        w += dlugosc;
        if (rodzaj == Wsad::Rodzaj::Liczby) {
            const auto pole = sledz ? static_cast<std::size_t>(w - wyjscie_.data()) : 0;
            *w++ = separator;
            char* const koniecLiczby = pisz(w, wsad.wynik[i].wartosc, przecinek);
            if (koniecLiczby != nullptr) {
                w = koniecLiczby;
            } else {
                oddajMiejsce();
                numbers::dopisz(wyjscie_, wsad.wynik[i].wartosc, konfiguracja_.cyfry,
                                konfiguracja_.przecinek);
                zrobMiejsce(i + 1);
            }
            if (sledz) {
                odbiorca_.dodanePole(wypisane_ + oczekujace_.size() + pole,
                                     static_cast<std::size_t>(w - wyjscie_.data()) - pole);
            }
            ++wiersze;
        }
        if (crlf) *w++ = '\r';
        *w++ = '\n';
        ++linie;
    }
    oddajMiejsce();
    linia_ += linie;
    wiersze_ += wiersze;
    liniaWiersza_ = linia_;
    if (wyjscie_.size() >= pojemnosc_) oproznij();
}

void Konwerter::oproznij() {
    for (std::string* b : {&oczekujace_, &wyjscie_}) {
        if (b->empty()) continue;
        odbiorca_.wypisz(*b);
        wypisane_ += b->size();
        b->clear();
    }
}

}  // namespace batch
