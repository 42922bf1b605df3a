#include "poczatek.h"

#include <array>
#include <cstddef>

namespace batch {

std::string kodowanie(std::string_view poczatek) {
    std::string_view nazwa;
    if (poczatek.starts_with("\xFF\xFE")) nazwa = "UTF-16 LE";
    if (poczatek.starts_with("\xFE\xFF")) nazwa = "UTF-16 BE";
    if (nazwa.empty()) return {};
    return "wejście jest w kodowaniu " + std::string(nazwa) +
           " (znacznik BOM), a convert czyta UTF-8: zapisz plik jako UTF-8 (w Notatniku: "
           "„Zapisz jako”, Kodowanie: UTF-8; w PowerShell: Get-Content PLIK | Set-Content "
           "-Encoding utf8 NOWY.csv) i przelicz go ponownie";
}

bool czytajNaglowek(platform::Wejscie& we, std::string& linia, std::string& blad) {
    constexpr std::size_t kMaks = std::size_t{1} << 20;
    std::array<char, 4096> blok{};
    bool cudzyslow = false;
    std::size_t zbadane = 0;  // bytes of `linia` looked at
    std::string powod;
    for (;;) {
        const std::ptrdiff_t n = we.czytaj(blok, powod);
        if (n < 0) {
            blad = "błąd odczytu nagłówka: " + powod;
            return false;
        }
        linia.append(blok.data(), static_cast<std::size_t>(n));
        if (linia.size() < 2 && n != 0) continue;
        blad = kodowanie(linia);
        if (!blad.empty()) return false;
        if (n == 0) return true;
        for (; zbadane < linia.size(); ++zbadane) {
            cudzyslow = cudzyslow != (linia[zbadane] == '"');
            // The rest of the piece stays read: all of it goes to the converter.
            if (linia[zbadane] == '\n' && !cudzyslow) return true;
        }
        if (linia.size() > kMaks) {
            blad = "pierwszy wiersz (nagłówek) dłuższy niż 1 MiB";
            return false;
        }
    }
}

std::vector<std::string> nazwyKolumn(std::string_view linia, char separator) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (linia.starts_with(kBom)) linia.remove_prefix(kBom.size());
    std::vector<std::string> nazwy(1);
    bool cudzyslow = false;
    for (std::size_t i = 0; i < linia.size(); ++i) {
        const char c = linia[i];
        if (c == '"') {
            if (cudzyslow && i + 1 < linia.size() && linia[i + 1] == '"') {
                nazwy.back() += '"';
                ++i;
            } else {
                cudzyslow = !cudzyslow;
            }
        } else if (!cudzyslow && c == separator) {
            nazwy.emplace_back();
        } else if (!cudzyslow &&
                   (c == '\n' || (c == '\r' && i + 1 < linia.size() && linia[i + 1] == '\n'))) {
            break;
        } else {
            nazwy.back() += c;
        }
    }
    return nazwy;
}

}  // namespace batch
