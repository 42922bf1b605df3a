// libFuzzer target: arbitrary bytes through the row converter, with options
// taken from the first bytes. The output less the added fields must be the
// input byte for byte, every row must end in exactly one added field, no line
// may be lost, and the result must not depend on how the input is cut into
// pieces or whether a block is split over two threads.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "konwerter.h"
#include "zapis.h"

namespace {

[[noreturn]] void naruszenie(const char* co) {
    std::fprintf(stderr, "violation: %s\n", co);
    std::abort();
}

void wymagaj(bool warunek, const char* co) {
    if (!warunek) naruszenie(co);
}

constexpr char kSeparatory[] = {',', ';', '\t', ' ', '|', '.', '0', '\xEF'};

Zapis wKawalkach(std::string_view wejscie, const batch::Konfiguracja& opcje, std::uint8_t ziarno,
                 bool rownolegle) {
    Zapis zapis;
    batch::Konwerter k(opcje, zapis);
    std::size_t i = 0;
    std::uint32_t los = ziarno + 1u;
    while (i < wejscie.size()) {
        los = los * 1103515245u + 12345u;
        // Threads are dear: larger pieces when blocks are split over two.
        const std::size_t n = 1 + (los >> 16) % (rownolegle ? 509 : 17);
        const std::string_view kawalek = wejscie.substr(i, n);
        if (rownolegle) {
            k.dodajRownolegle(kawalek, 0);
        } else {
            k.dodaj(kawalek);
        }
        i += kawalek.size();
    }
    k.zakoncz();
    return zapis;
}

std::size_t ile(std::string_view s, char c) {
    std::size_t n = 0;
    for (const char x : s) n += x == c ? 1 : 0;
    return n;
}

}  // namespace

// Byte 0: options (bit 0 EMF, bit 1 header, bit 2 decimal comma, bit 3 cold
// column, bits 4-6 type). Byte 1: delimiter. Byte 2: columns. Byte 3: how the
// input is cut. The rest: the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    if (rozmiar < 4) return 0;
    batch::Konfiguracja o;
    o.cel = (dane[0] & 1u) != 0 ? batch::Cel::Emf : batch::Cel::Temperatura;
    o.naglowek = (dane[0] & 2u) != 0;
    o.przecinek = (dane[0] & 4u) != 0;
    o.ustawienia.typ = *engine::typZIndeksu(static_cast<std::int16_t>((dane[0] >> 4u) & 7u));
    o.separator = kSeparatory[dane[1] % sizeof kSeparatory];
    o.kolumna = 1u + (dane[2] & 3u);
    if ((dane[0] & 8u) != 0) o.kolumnaZimnego = 1u + ((dane[2] >> 2u) & 3u);
    o.cyfry = (dane[2] >> 4u) % 10;
    const std::string_view wejscie(reinterpret_cast<const char*>(dane + 4), rozmiar - 4);

    const Zapis calosc = przelicz(wejscie, o, Podzial::Calosc);
    wymagaj(calosc.bezDodanych() == wejscie, "the output less the added fields is not the input");
    wymagaj(ile(calosc.wyjscie, '\n') == ile(wejscie, '\n'), "a line was lost or added");
    const std::string& w = calosc.wyjscie;
    std::size_t puste = 0;
    for (const auto& [pozycja, dlugosc] : calosc.pola) {
        const auto p = static_cast<std::size_t>(pozycja);
        wymagaj(dlugosc >= 1 && w[p] == o.separator, "an added field without its delimiter");
        const std::string_view pole(w.data() + p + 1, dlugosc - 1);
        wymagaj(pole.find_first_of("\r\n\"") == std::string_view::npos,
                "an added field holds a line break or a quote");
        const std::size_t za = p + dlugosc;
        wymagaj(za == w.size() || w[za] == '\n' || w.compare(za, 2, "\r\n") == 0 ||
                    (w[za] == '\r' && za + 1 == w.size()),
                "an added field not at a line end");
        puste += pole.empty() ? 1 : 0;
    }
    wymagaj(puste == calosc.bledy.size(), "an empty result without a reason, or the reverse");
    for (const bool rownolegle : {false, true}) {
        const Zapis z = wKawalkach(wejscie, o, dane[3], rownolegle);
        wymagaj(z.wyjscie == calosc.wyjscie && z.bledy == calosc.bledy && z.pola == calosc.pola,
                "the result depends on how the input is cut");
    }
    return 0;
}
