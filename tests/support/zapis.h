#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "konwerter.h"

// Records everything a converter produces, with where it added fields.
struct Zapis final : batch::Odbiorca {
    std::string wyjscie;
    std::vector<std::string> bledy;  // "LINE: reason"
    std::vector<std::pair<std::uint64_t, std::size_t>> pola;

    void wypisz(std::string_view bajty) override { wyjscie.append(bajty); }
    void odrzucony(std::uint64_t linia, std::string_view powod) override {
        bledy.push_back(std::to_string(linia) + ": " + std::string(powod));
    }
    [[nodiscard]] bool sledziPola() const override { return true; }
    void dodanePole(std::uint64_t pozycja, std::size_t dlugosc) override {
        pola.emplace_back(pozycja, dlugosc);
    }

    // The output without the added fields: it must be the input again.
    [[nodiscard]] std::string bezDodanych() const {
        std::string s;
        std::size_t od = 0;
        for (const auto& [pozycja, dlugosc] : pola) {
            if (pozycja < od || pozycja + dlugosc > wyjscie.size()) return "\x01zle pozycje";
            s.append(wyjscie, od, static_cast<std::size_t>(pozycja) - od);
            od = static_cast<std::size_t>(pozycja) + dlugosc;
        }
        return s.append(wyjscie, od);
    }
};

enum class Podzial : std::uint8_t { Calosc, PoBajcie, Rownolegle };

// The input converted in one piece, byte by byte, or split over two threads
// wherever a block allows it.
inline Zapis przelicz(std::string_view wejscie, const batch::Konfiguracja& opcje, Podzial podzial) {
    Zapis zapis;
    batch::Konwerter k(opcje, zapis);
    switch (podzial) {
        case Podzial::Calosc:
            k.dodaj(wejscie);
            break;
        case Podzial::PoBajcie:
            for (std::size_t i = 0; i < wejscie.size(); ++i) k.dodaj(wejscie.substr(i, 1));
            break;
        case Podzial::Rownolegle:
            k.dodajRownolegle(wejscie, 0);
            break;
    }
    k.zakoncz();
    return zapis;
}
