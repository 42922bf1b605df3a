// Writes a logger-like file for the convert benchmark: a header
// "emf_mV,cold_C" and N rows of a type K EMF in mV (4 decimals) measured
// against a cold junction in °C (2 decimals), the measuring junction and the
// cold junction each uniform over the type's range, so that every row
// converts. Fixed seed: the same file every time.
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "its90.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "użycie: %s LICZBA_WIERSZY > plik.csv\n", argv[0]);
        return 2;
    }
    const long long wiersze = std::atoll(argv[1]);
    std::mt19937_64 los(20240612);
    // The measuring junction within the inverse polynomials' range, a little
    // inside its ends so that rounding the EMF keeps every row convertible.
    std::uniform_real_distribution<double> t(-199.9, 1371.9);
    std::uniform_real_distribution<double> tc(-270.0, 1372.0);
    std::string bufor = "emf_mV,cold_C\n";
    std::array<char, 64> liczba{};
    const auto dopisz = [&](double x, int cyfry) {
        const auto [koniec, blad] = std::to_chars(liczba.data(), liczba.data() + liczba.size(), x,
                                                  std::chars_format::fixed, cyfry);
        if (blad == std::errc{}) bufor.append(liczba.data(), koniec);
    };
    for (long long i = 0; i < wiersze; ++i) {
        const double zimne = tc(los);
        const double e = engine::emfZTemperatury(engine::TypTermopary::K, t(los)) -
                         engine::emfZTemperatury(engine::TypTermopary::K, zimne);
        dopisz(e / 1000.0, 4);
        bufor += ',';
        dopisz(zimne, 2);
        bufor += '\n';
        if (bufor.size() > (1U << 20)) {
            std::fwrite(bufor.data(), 1, bufor.size(), stdout);
            bufor.clear();
        }
    }
    std::fwrite(bufor.data(), 1, bufor.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
