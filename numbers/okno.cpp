#include "okno.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "liczby.h"

namespace numbers {

namespace {

// UTF-8 of every character the window took for white space around a number:
// C0 blanks, U+0085 and the Unicode space, line and paragraph separators.
constexpr std::string_view kBiale[] = {
    "\t",     "\n",     "\v",     "\f",     "\r",     " ",      "\u0085", "\u00A0", "\u1680",
    "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007", "\u2008",
    "\u2009", "\u200A", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};

constexpr std::string_view kOdstepGrup = "\u00A0";
constexpr std::string_view kMinus = "\u2212";
constexpr std::string_view kZnacznikKolejnosci = "\uFEFF";

// Polish grouping: a first group of two to four digits, then groups of three.
constexpr int kPierwszaGrupaOd = 2;
constexpr int kPierwszaGrupaDo = 4;
constexpr int kGrupa = 3;

std::size_t bialyNaPoczatku(std::string_view s) {
    for (const std::string_view b : kBiale) {
        if (s.starts_with(b)) return b.size();
    }
    return 0;
}

std::size_t bialyNaKoncu(std::string_view s) {
    for (const std::string_view b : kBiale) {
        if (s.ends_with(b)) return b.size();
    }
    return 0;
}

// The text in C form ("-1234.5e3"), group separators checked and dropped, or
// nothing when a character or a separator is out of place.
std::optional<std::string> doPostaciC(std::string_view s) {
    std::string c;
    c.reserve(s.size());
    bool przecinek = false;
    bool wykladnik = false;
    bool cyfry = false;
    bool poSeparatorze = false;  // a group separator since the last point or exponent
    bool ostatniSeparator = false;
    int wGrupie = 0;
    // The digits since the last separator must make a whole group.
    const auto grupaPelna = [&] { return !poSeparatorze || wGrupie == kGrupa; };
    while (!s.empty()) {
        const char z = s.front();
        std::size_t dlugosc = 1;
        char znak = 0;
        bool separator = false;
        if ((z >= '0' && z <= '9') || z == '+' || z == '-') {
            znak = z;
        } else if (s.starts_with(kMinus)) {
            znak = '-';
            dlugosc = kMinus.size();
        } else if (z == ',') {
            if (przecinek || wykladnik || !grupaPelna()) return std::nullopt;
            przecinek = true;
            poSeparatorze = false;
            znak = '.';
        } else if (z == 'e' || z == 'E') {
            if (!grupaPelna()) return std::nullopt;
            wykladnik = true;
            poSeparatorze = false;
            znak = 'e';
        } else if (z == ' ' || s.starts_with(kOdstepGrup)) {
            dlugosc = z == ' ' ? 1 : kOdstepGrup.size();
            separator = true;
        } else {
            return std::nullopt;
        }
        if (separator) {
            if (przecinek || wykladnik || !cyfry) return std::nullopt;
            if (poSeparatorze ? wGrupie != kGrupa
                              : wGrupie < kPierwszaGrupaOd || wGrupie > kPierwszaGrupaDo) {
                return std::nullopt;
            }
            poSeparatorze = true;
            wGrupie = 0;
        } else {
            if (znak >= '0' && znak <= '9') {
                cyfry = true;
                ++wGrupie;
            }
            c += znak;
        }
        ostatniSeparator = separator;
        s.remove_prefix(dlugosc);
    }
    if (ostatniSeparator || !grupaPelna()) return std::nullopt;
    return c;
}

// "#####0.0000" -> 4: the digits after the pattern's decimal point.
int miejscaWzorca(std::string_view wzorzec) {
    const std::size_t kropka = wzorzec.find('.');
    return kropka == std::string_view::npos ? 0 : static_cast<int>(wzorzec.size() - kropka - 1);
}

}  // namespace

std::optional<double> zOkna(std::string_view tekst) {
    // The window's texts used to pass through QString::fromUtf8, which drops
    // a leading byte-order mark.
    if (tekst.starts_with(kZnacznikKolejnosci)) tekst.remove_prefix(kZnacznikKolejnosci.size());
    for (std::size_t n = bialyNaPoczatku(tekst); n != 0; n = bialyNaPoczatku(tekst)) {
        tekst.remove_prefix(n);
    }
    for (std::size_t n = bialyNaKoncu(tekst); n != 0; n = bialyNaKoncu(tekst)) {
        tekst.remove_suffix(n);
    }
    if (tekst.empty()) return std::nullopt;
    const auto c = doPostaciC(tekst);
    if (!c) return std::nullopt;
    const Odczyt o = czytaj(*c, Separator::Kropka);
    if (o.stan != Stan::Liczba) return std::nullopt;
    // Zero read from a text with a non-zero digit is an underflow: refused,
    // as an overflow is, rather than taken for a zero the user never wrote.
    if (o.wartosc == 0.0 &&
        c->substr(0, c->find('e')).find_first_of("123456789") != std::string::npos) {
        return std::nullopt;
    }
    return o.wartosc;
}

std::string doOkna(double x, std::string_view wzorzec) {
    return tekst(x, miejscaWzorca(wzorzec), true);
}

}  // namespace numbers
