#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>

#include "konwerter.h"

// Converting: a row's fields read as numbers, a batch of rows at once, and
// the reasons of refused rows.
namespace batch {

const std::string& Konwerter::opis(conversions::Powod powod) {
    const auto i = static_cast<std::size_t>(powod);
    if (i >= opisy_.size()) opisy_.resize(i + 1);
    std::string& s = opisy_[i];
    if (s.empty()) s = conversions::opis(powod, konfiguracja_.ustawienia, 0, &konfiguracja_.zimne);
    return s;
}

void Konwerter::odrzuc(const std::string& powod) {
    ++odrzucone_;
    odbiorca_.odrzucony(liniaWiersza_, powod);
}

bool Konwerter::czytajPole(std::size_t nr, const ZebranePole& f, conversions::Wynik& w) {
    if (kolumny_.numer() < nr) {
        odrzuc(conversions::opis(conversions::Powod::BrakPola, konfiguracja_.ustawienia, nr));
        return false;
    }
    // Quotes leave no doubt where the field ends: either decimal separator.
    const numbers::Odczyt odczyt =
        f.zepsute
            ? numbers::Odczyt{}
            : numbers::czytaj(f.tekst(), f.wCudzyslowie ? numbers::Separator::Dowolny : czytanie_);
    w = f.zaDlugie ? conversions::Wynik{conversions::Powod::PoleZaDlugie, 0.0}
                   : conversions::zOdczytu(odczyt);
    if (!w.dobry()) {
        odrzuc(conversions::opis(w.powod, konfiguracja_.ustawienia, nr));
        return false;
    }
    return true;
}

bool Konwerter::zimneZPola(const ZebranePole& f, conversions::ZimneZlacze& zimne) {
    conversions::Wynik tc;
    if (!czytajPole(konfiguracja_.kolumnaZimnego, f, tc)) return false;
    zimne = {tc.wartosc, conversions::zimneZlacze(konfiguracja_.ustawienia, tc.wartosc)};
    return true;
}

void Konwerter::wynik() {
    conversions::Wynik x;
    if (!czytajPole(konfiguracja_.kolumna, kolumny_.wartosc(), x)) return;
    conversions::ZimneZlacze zimne = konfiguracja_.zimne;
    if (konfiguracja_.kolumnaZimnego != 0 && !zimneZPola(kolumny_.zimne(), zimne)) {
        return;
    }
    const conversions::Wynik r =
        konfiguracja_.cel == Cel::Temperatura
            ? conversions::temperatura(konfiguracja_.ustawienia, x.wartosc, zimne.emf)
            : conversions::emf(konfiguracja_.ustawienia, x.wartosc, zimne.emf);
    if (r.dobry()) {
        numbers::dopisz(wyjscie_, r.wartosc, konfiguracja_.cyfry, konfiguracja_.przecinek);
    } else if ((r.powod == conversions::Powod::EmfPozaZakresem ||
                r.powod == conversions::Powod::EmfDwuznaczne) &&
               konfiguracja_.kolumnaZimnego != 0) {
        // The range of the EMF as typed moves with the row's cold junction.
        odrzuc(conversions::opis(r.powod, konfiguracja_.ustawienia, 0, &zimne));
    } else {
        odrzuc(opis(r.powod));
    }
}

void Konwerter::policzWsad(std::size_t n) {
    Wsad& w = *wsad_;
    const std::span<conversions::Wynik> zimne(w.emfZimnego.data(), n);
    if (konfiguracja_.kolumnaZimnego != 0) {
        // A logger repeats its cold junction's reading: E(tc) once for each
        // run of the same reading.
        std::size_t m = 0;
        std::uint64_t poprzednia = ~std::bit_cast<std::uint64_t>(w.zimne[0]);
        for (std::size_t i = 0; i < n; ++i) {
            const auto tc = std::bit_cast<std::uint64_t>(w.zimne[i]);
            m += tc != poprzednia ? 1U : 0U;
            w.rozne[m - 1] = w.zimne[i];
            w.ktore[i] = static_cast<std::uint8_t>(m - 1);
            poprzednia = tc;
        }
        conversions::zimneZlacza(konfiguracja_.ustawienia, {w.rozne.data(), m},
                                 {w.emfRoznych.data(), m});
        for (std::size_t i = 0; i < n; ++i) zimne[i] = w.emfRoznych[w.ktore[i]];
    } else {
        std::fill(zimne.begin(), zimne.end(), konfiguracja_.zimne.emf);
    }
    const std::span<const double> x(w.wartosc.data(), n);
    const std::span<conversions::Wynik> wynik(w.wynik.data(), n);
    if (konfiguracja_.cel == Cel::Temperatura) {
        conversions::temperatury(konfiguracja_.ustawienia, x, zimne, wynik);
    } else {
        conversions::emfy(konfiguracja_.ustawienia, x, zimne, wynik);
    }
}

}  // namespace batch
