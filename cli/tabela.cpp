#include "tabela.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "liczby.h"

namespace cli {

namespace {

constexpr long kKolumny = 10;         // degrees per row
constexpr long kGrupa = 50;           // rows are grouped by 50 degrees, a blank line between
constexpr long kStrona = 600;         // a page of the block above zero
constexpr std::size_t kEtykieta = 4;  // "1820", "-270"
constexpr std::size_t kKomorka = 7;   // " 13.820"
constexpr double kLuzKroku = 1e-9;    // relative: a step landing on the end by rounding

// Smallest number of decimals that writes x exactly enough, at most 9.
int cyfry(double x) {
    double skala = 1.0;
    for (int d = 0; d < 9; ++d, skala *= 10.0) {
        const double y = std::fabs(x) * skala;
        if (std::fabs(y - std::round(y)) <= kLuzKroku * std::max(1.0, y)) return d;
    }
    return 9;
}

std::string wPrawo(const std::string& s, std::size_t szerokosc) {
    return s.size() >= szerokosc ? s : std::string(szerokosc - s.size(), ' ') + s;
}

// One sign's block: rows of ten degrees from the row holding `od` on.
// `znak` is the direction of the columns: +1 above zero, -1 below.
struct Blok {
    long lo;
    long hi;
    int znak;
};

}  // namespace

PelneStopnie pelneStopnie(const conversions::Ustawienia& u) {
    const engine::Zakres d = engine::dziedzinaTemperatury(u.typ);
    auto od = static_cast<long>(std::ceil(conversions::zCelsjusza(d.od, u.temperatura) - 1e-6));
    auto doo = static_cast<long>(std::floor(conversions::zCelsjusza(d.doo, u.temperatura) + 1e-6));
    // Rounding of the unit's conversion may put a whole degree a hair outside.
    if (!conversions::wDziedzinie(u, static_cast<double>(od))) ++od;
    if (!conversions::wDziedzinie(u, static_cast<double>(doo))) --doo;
    return {od, doo};
}

std::int64_t liczbaWierszy(const Zakres& z) {
    if (z.od > z.doo) return 0;
    const double n = std::floor((z.doo - z.od) / z.krok + kLuzKroku);
    if (!(n < 9.0e18)) return INT64_MAX;
    return static_cast<std::int64_t>(n) + 1;
}

int cyfryTemperatury(const Zakres& z) {
    return std::max(cyfry(z.krok), cyfry(z.od));
}

std::string csv(const conversions::Ustawienia& u, const Zakres& z,
                const conversions::ZimneZlacze& zimne, const Wyglad& w) {
    const char pole = w.przecinek ? ';' : ',';
    std::string s = "temperatura [";
    s += conversions::symbol(u.temperatura);
    s += "]";
    s += pole;
    s += "emf [mV]\n";
    const std::int64_t n = liczbaWierszy(z);
    const int ct = cyfryTemperatury(z);
    conversions::Ustawienia mv = u;
    mv.emf = conversions::JednostkaEmf::mV;
    for (std::int64_t i = 0; i < n; ++i) {
        // Each temperature from the start, so that no rounding accumulates.
        const double t = std::min(z.od + static_cast<double>(i) * z.krok, z.doo);
        const conversions::Wynik e = conversions::emf(mv, t, zimne.emf);
        numbers::dopisz(s, t, ct, w.przecinek);
        s += pole;
        numbers::dopisz(s, e.wartosc, w.cyfry, w.przecinek);
        s += '\n';
    }
    return s;
}

std::string nist(const conversions::Ustawienia& u, long od, long doo,
                 const conversions::ZimneZlacze& zimne, const Wyglad& w) {
    conversions::Ustawienia mv = u;
    mv.emf = conversions::JednostkaEmf::mV;
    const auto komorka = [&](long t) {
        return numbers::tekst(conversions::emf(mv, static_cast<double>(t), zimne.emf).wartosc,
                              w.cyfry, w.przecinek);
    };
    std::vector<Blok> bloki;
    if (od < 0) bloki.push_back({od, std::min(doo, 0L), -1});  // 0 in both, as NIST's
    if (doo >= 0) bloki.push_back({std::max(od, 0L), doo, 1});

    // Widths from the widest text, never narrower than NIST's.
    std::size_t szer = kKomorka;
    std::size_t etyk = kEtykieta;
    for (const long t : {od, doo}) {
        szer = std::max(szer, komorka(t).size() + 1);
        etyk = std::max(etyk, std::to_string(t).size());
    }

    const std::string stopnie(conversions::symbol(u.temperatura));
    std::string tytul = " Tabela ITS-90 dla termopary typu ";
    tytul += litera(u.typ);
    const double tc = zimne.temperatura;
    if (tc != conversions::punktLodu(u.temperatura).temperatura) {
        tytul += ", zimne złącze w ";
        tytul += numbers::tekst(tc, cyfry(tc), w.przecinek);
        tytul += ' ';
        tytul += stopnie;
    }
    tytul += '\n';

    std::string s;
    for (const Blok& b : bloki) {
        // The header aligns in bytes, as NIST's does ("°C" is three).
        std::string naglowek = wPrawo(stopnie, etyk);
        for (long k = 0; k <= kKolumny; ++k) naglowek += wPrawo(std::to_string(b.znak * k), szer);
        naglowek += '\n';
        const auto strona = [&] {
            s += tytul;
            s += naglowek;
            s += "                              Napięcie termoelektryczne w mV\n\n";
        };
        const auto koniecStrony = [&] {
            s += '\n';
            s += naglowek;
            s += '\n';
        };
        // Row r holds r + znak*k for k = 0..10: the first row is the one
        // holding the block's start, the last the one whose column 0 is
        // the end. Rows run from the coldest to the warmest.
        const long blizszy = b.znak > 0 ? b.lo : b.hi;  // to zero
        const long dalszy = b.znak > 0 ? b.hi : b.lo;
        const long pierwszyWiersz = blizszy / kKolumny * kKolumny;
        const long ostatniWiersz = dalszy / kKolumny * kKolumny;
        std::vector<long> wiersze;
        for (long r = pierwszyWiersz;; r += b.znak * kKolumny) {
            wiersze.push_back(r);
            if (r == ostatniWiersz) break;
        }
        if (b.znak < 0) std::reverse(wiersze.begin(), wiersze.end());
        strona();
        for (std::size_t i = 0; i < wiersze.size(); ++i) {
            const long r = wiersze[i];
            if (i > 0) {
                const long poprzedni = wiersze[i - 1];
                if (b.znak > 0 && r % kStrona == 0) {
                    koniecStrony();
                    s += '\n';
                    strona();
                } else if (std::labs(r) / kGrupa != std::labs(poprzedni) / kGrupa) {
                    s += '\n';
                }
            }
            std::string wiersz = wPrawo(std::to_string(r), etyk);
            for (long k = 0; k <= kKolumny; ++k) {
                const long t = r + b.znak * k;
                if (t < b.lo || t > b.hi) {
                    // Before the range: a blank cell keeps the columns;
                    // past it: the row ends.
                    if ((b.znak > 0 && t > b.hi) || (b.znak < 0 && t < b.lo)) break;
                    wiersz += std::string(szer, ' ');
                    continue;
                }
                wiersz += wPrawo(komorka(t), szer);
            }
            s += wiersz;
            s += '\n';
        }
        koniecStrony();
    }
    return s;
}

}  // namespace cli
