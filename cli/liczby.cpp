#include "liczby.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace liczby {

namespace {

constexpr bool bialy(char c) {
    return c == ' ' || c == '\t';
}

std::string_view przytnij(std::string_view s) {
    while (!s.empty() && bialy(s.front())) s.remove_prefix(1);
    while (!s.empty() && bialy(s.back())) s.remove_suffix(1);
    return s;
}

Odczyt zKropka(std::string_view s) {
    // from_chars takes no '+'; a single one before a digit or point is a sign.
    if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
    double x = 0.0;
    const char* koniec = s.data() + s.size();
    const auto [p, blad] = std::from_chars(s.data(), koniec, x);
    if (p != koniec || s.empty()) return {Stan::NieLiczba, 0.0};
    if (blad == std::errc::result_out_of_range) {
        // Too large is infinite; too small (1e-400) is as good as zero.
        bool duza = false;
        for (const char c : s) duza = duza || c == 'e' || c == 'E';
        const bool ujemny = s.front() == '-';
        if (!duza) return {Stan::NieLiczba, 0.0};
        std::size_t e = s.find_first_of("eE");
        const bool ujemnyWykladnik = e + 1 < s.size() && s[e + 1] == '-';
        if (ujemnyWykladnik) return {Stan::Liczba, ujemny ? -0.0 : 0.0};
        return {Stan::Nieskonczona, ujemny ? -HUGE_VAL : HUGE_VAL};
    }
    if (blad != std::errc{}) return {Stan::NieLiczba, 0.0};
    if (std::isnan(x)) return {Stan::NaN, x};
    if (std::isinf(x)) return {Stan::Nieskonczona, x};
    return {Stan::Liczba, x};
}

// Whether y is an odd integer; every double from 2^53 up is even, and
// infinity and NaN are none. (fmod says the same, several times slower.)
bool nieparzystaCalkowita(double y) {
    if (!(y < 9007199254740992.0)) return false;
    const auto n = static_cast<std::uint64_t>(y);
    return static_cast<double>(n) == y && (n & 1U) != 0;
}

}  // namespace

Odczyt czytaj(std::string_view tekst, Separator separator) {
    const std::string_view s = przytnij(tekst);
    const bool kropka = s.find('.') != std::string_view::npos;
    const bool przecinek = s.find(',') != std::string_view::npos;
    if (separator == Separator::Kropka || !przecinek) {
        if (separator == Separator::Przecinek && kropka) return {Stan::NieLiczba, 0.0};
        return zKropka(s);
    }
    // A decimal comma: one, and no point beside it.
    if (kropka || s.find(',', s.find(',') + 1) != std::string_view::npos) {
        return {Stan::NieLiczba, 0.0};
    }
    std::array<char, 64> bufor{};
    if (s.size() > bufor.size()) {
        // Set the one character: g++ 12 -O3 warns falsely on string::replace.
        std::string kopia(s);
        kopia[s.find(',')] = '.';
        return zKropka(kopia);
    }
    std::size_t n = 0;
    for (const char c : s) bufor[n++] = c == ',' ? '.' : c;
    return zKropka({bufor.data(), n});
}

void dopisz(std::string& wyjscie, double x, int cyfry, bool przecinek) {
    // An exact tie lies halfway between two multiples of 10^-cyfry: then
    // |x| * 2^(cyfry+1) is an odd integer. to_chars would round it to even,
    // so nudge it one ulp away from zero first.
    if (nieparzystaCalkowita(std::ldexp(std::fabs(x), cyfry + 1))) {
        x = std::nextafter(x, std::copysign(std::numeric_limits<double>::infinity(), x));
    }
    std::array<char, 400> bufor{};
    const auto [koniec, blad] = std::to_chars(bufor.data(), bufor.data() + bufor.size(), x,
                                              std::chars_format::fixed, cyfry);
    if (blad != std::errc{}) return;  // beyond 1e300: never a thermocouple value
    const char* poczatek = bufor.data();
    // "-0.00" is written as "0.00".
    if (*poczatek == '-') {
        bool zero = true;
        for (const char* p = poczatek + 1; p != koniec; ++p)
            zero = zero && (*p == '0' || *p == '.');
        if (zero) ++poczatek;
    }
    const std::size_t start = wyjscie.size();
    wyjscie.append(poczatek, static_cast<std::size_t>(koniec - poczatek));
    if (przecinek) {
        for (std::size_t i = start; i < wyjscie.size(); ++i) {
            if (wyjscie[i] == '.') wyjscie[i] = ',';
        }
    }
}

}  // namespace liczby
