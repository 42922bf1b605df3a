#include "liczby.h"

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace numbers {

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
    // Too large reads as infinite; too small (1e-400, 0.000...1) as a zero,
    // as good as one.
    const auto [p, blad] = fast_float::from_chars(s.data(), koniec, x);
    if (p != koniec || s.empty() || blad != std::errc{}) return {Stan::NieLiczba, 0.0};
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
    if (double x = 0.0; czytajKrotka(s.data(), s.data() + s.size(), separator, x))
        return {Stan::Liczba, x};
    // fast_float stops at a comma anyway: no need to look for one.
    if (separator == Separator::Kropka) return zKropka(s);
    const bool kropka = s.find('.') != std::string_view::npos;
    const bool przecinek = s.find(',') != std::string_view::npos;
    if (!przecinek) {
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

std::string_view rolaWLiczbie(char c, Separator separator) {
    if (c >= '0' && c <= '9') return "cyfra";
    if (c == '+' || c == '-') return "znak liczby";
    if ((c == '.' && separator != Separator::Przecinek) ||
        (c == ',' && separator != Separator::Kropka)) {
        return "separator dziesiętny";
    }
    if (c == 'e' || c == 'E') return "wykładnik";
    // fast_float reads "inf", "infinity" and "nan" in any case.
    constexpr std::string_view kLitery = "infinityaINFINITYA";
    if (kLitery.find(c) != std::string_view::npos) return "litera inf, infinity lub nan";
    return {};
}

namespace {

// The shortest decimal that reads back as a (finite, not negative), in
// fixed notation: "0.0000001", "100000000000000000000", "2.55". fmt gives
// its digits, with an exponent where that is shorter.
std::string staloprzecinkowo(double a) {
    std::array<char, 32> bufor{};
    const char* koniec = fmt::format_to_n(bufor.data(), bufor.size(), FMT_STRING("{}"), a).out;
    const std::string_view s(bufor.data(), static_cast<std::size_t>(koniec - bufor.data()));
    const std::size_t e = std::min(s.find('e'), s.size());
    const std::string_view mantysa = s.substr(0, e);
    const std::size_t kropka = std::min(mantysa.find('.'), mantysa.size());
    std::string cyfry(mantysa.substr(0, kropka));
    if (kropka < mantysa.size()) cyfry.append(mantysa.substr(kropka + 1));
    long wykladnik = 0;
    if (e < s.size()) {
        std::string_view w = s.substr(e + 1);
        if (w.front() == '+') w.remove_prefix(1);
        std::from_chars(w.data(), w.data() + w.size(), wykladnik);
    }
    const long punkt = static_cast<long>(kropka) + wykladnik;
    const auto dlugosc = static_cast<long>(cyfry.size());
    if (punkt <= 0) return "0." + std::string(static_cast<std::size_t>(-punkt), '0') + cyfry;
    if (punkt >= dlugosc)
        return cyfry + std::string(static_cast<std::size_t>(punkt - dlugosc), '0');
    cyfry.insert(static_cast<std::size_t>(punkt), 1, '.');
    return cyfry;
}

// When the shortest decimal that reads back as x (what the user typed, as a
// rule: 2.55 for 0.0075 * 340 = 2.54999...) ends in a 5 one place past the
// last written decimal, writes it rounded away from zero and returns true.
[[gnu::cold, gnu::noinline]] bool dopiszPolowe(std::string& wyjscie, double x, int cyfry,
                                               bool przecinek) {
    if (cyfry < 0) return false;
    if (!std::isfinite(x)) return false;
    const std::string najkrotsza = staloprzecinkowo(std::fabs(x));
    if (najkrotsza.back() != '5') return false;
    const std::string_view s = najkrotsza;
    const std::size_t kropka = s.find('.');
    if (kropka == std::string_view::npos ||
        s.size() - kropka - 2 != static_cast<std::size_t>(cyfry)) {
        return false;
    }
    // The digits kept, one more unit in the last place.
    std::string n(s.substr(0, kropka));
    n.append(s.substr(kropka + 1, static_cast<std::size_t>(cyfry)));
    std::size_t i = n.size();
    while (i > 0 && n[i - 1] == '9') n[--i] = '0';
    if (i == 0) {
        n.insert(n.begin(), '1');
    } else {
        ++n[i - 1];
    }
    if (std::signbit(x)) wyjscie += '-';
    const std::size_t calkowite = n.size() - static_cast<std::size_t>(cyfry);
    wyjscie.append(n, 0, calkowite);
    if (cyfry > 0) {
        wyjscie += przecinek ? ',' : '.';
        wyjscie.append(n, calkowite);
    }
    return true;
}

// Fast and exact for |x| * 10^cyfry below 10^17: x = m * 2^e, so
// |x| * 10^cyfry = m * 5^cyfry * 2^(e + cyfry) is an integer shifted by a
// power of two, and shifting it right rounds exactly, ties away from zero.
bool dopiszCalkowicie(std::string& wyjscie, double x, int cyfry, bool przecinek) {
    if (cyfry < 0 || cyfry > 9) return false;
    const auto c = static_cast<std::size_t>(cyfry);
    static constexpr std::array<double, 10> kGranica{1e17, 1e16, 1e15, 1e14, 1e13,
                                                     1e12, 1e11, 1e10, 1e9,  1e8};
    static constexpr std::array<std::uint64_t, 10> kPiec{1,    5,     25,    125,    625,
                                                         3125, 15625, 78125, 390625, 1953125};
    const double a = std::fabs(x);
    if (!(a < kGranica.at(c))) return false;  // NaN and infinity too
    const auto bity = __builtin_bit_cast(std::uint64_t, a);
    const auto wykladnik = static_cast<int>(bity >> 52U);
    std::uint64_t m = bity & ((std::uint64_t{1} << 52U) - 1);
    if (wykladnik != 0) m |= std::uint64_t{1} << 52U;
    const int e = (wykladnik != 0 ? wykladnik : 1) - 1075;
    __extension__ using U128 = unsigned __int128;
    const U128 p = static_cast<U128>(m) * kPiec.at(c);  // below 2^75
    const int przesuniecie = -(e + cyfry);
    std::uint64_t n = 0;
    if (przesuniecie <= 0) {
        n = static_cast<std::uint64_t>(p << static_cast<unsigned>(-przesuniecie));
    } else if (przesuniecie <= 100) {
        const auto s = static_cast<unsigned>(przesuniecie);
        // A value within an ulp (5^cyfry units of p) of a half may be a half of
        // its shortest decimal. p is below 2^75, so its low 64 bits decide,
        // and from 2^76 up a half is far.
        const std::uint64_t pol = s <= 64 ? std::uint64_t{1} << (s - 1U) : 0;
        const std::uint64_t reszta = static_cast<std::uint64_t>(p) & ((pol - 1U) | pol);
        const bool blisko =
            s <= 64 ? (reszta > pol ? reszta - pol : pol - reszta) <= kPiec.at(c) : s <= 76;
        if (blisko && dopiszPolowe(wyjscie, x, cyfry, przecinek)) return true;
        n = static_cast<std::uint64_t>((p >> s) + ((p >> (s - 1U)) & 1U));
    }
    std::array<char, 24> cyfryN{};
    const auto [koniec, blad] = std::to_chars(cyfryN.data(), cyfryN.data() + cyfryN.size(), n);
    if (blad != std::errc{}) return false;
    const auto dlugosc = static_cast<std::size_t>(koniec - cyfryN.data());
    if (n != 0 && std::signbit(x)) wyjscie += '-';
    if (dlugosc > c) {
        wyjscie.append(cyfryN.data(), dlugosc - c);
    } else {
        wyjscie += '0';
    }
    if (c == 0) return true;
    wyjscie += przecinek ? ',' : '.';
    if (dlugosc < c) wyjscie.append(c - dlugosc, '0');
    const std::size_t ulamek = dlugosc < c ? dlugosc : c;
    wyjscie.append(koniec - ulamek, ulamek);
    return true;
}

}  // namespace

void dopisz(std::string& wyjscie, double x, int cyfry, bool przecinek) {
    if (dopiszCalkowicie(wyjscie, x, cyfry, przecinek)) return;
    if (dopiszPolowe(wyjscie, x, cyfry, przecinek)) return;
    // An exact tie lies halfway between two multiples of 10^-cyfry: then
    // |x| * 2^(cyfry+1) is an odd integer. fmt would round it to even,
    // so nudge it one ulp away from zero first.
    if (nieparzystaCalkowita(std::ldexp(std::fabs(x), cyfry + 1))) {
        x = std::nextafter(x, std::copysign(std::numeric_limits<double>::infinity(), x));
    }
    std::array<char, 400> bufor{};
    const auto [koniec, zapisane] =
        fmt::format_to_n(bufor.data(), bufor.size(), FMT_STRING("{:.{}f}"), x, cyfry);
    if (zapisane > bufor.size()) return;  // beyond 1e300: never a thermocouple value
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

double polowaOstatniejCyfry(double x) {
    if (!std::isfinite(x)) return 0.0;
    // The shortest decimal, "d.ddde±XX" or "ddd.dd": the last digit's unit is
    // 10^(exponent - decimals); an integer's trailing zeros are no digits.
    std::array<char, 40> b{};
    const char* koniec = fmt::format_to_n(b.data(), b.size(), FMT_STRING("{}"), x).out;
    const std::string_view s(b.data(), static_cast<std::size_t>(koniec - b.data()));
    const std::size_t e = std::min(s.find('e'), s.size());
    const std::size_t kropka = s.find('.');
    int wykladnik = 0;
    if (e < s.size()) {
        std::size_t od = e + 1;
        if (s[od] == '+') ++od;
        std::from_chars(s.data() + od, s.data() + s.size(), wykladnik);
    }
    int cyfry = 0;
    if (kropka != std::string_view::npos) {
        cyfry = static_cast<int>(e - kropka - 1);
    } else {
        for (std::size_t i = e; i > 1 && s[i - 1] == '0'; --i) ++wykladnik;
    }
    return 0.5 * std::pow(10.0, wykladnik - cyfry);
}

}  // namespace numbers
