#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef KALVETRA_PRZYPADKI
#error "KALVETRA_PRZYPADKI must name tests/przypadki_typow.tsv"
#endif

// The shared cases of types C and A (tests/przypadki_typow.tsv) that every
// front end's tests reproduce digit for digit.
namespace przypadki_typow {

struct Przypadek {
    std::string polecenie;  // emf, temp or tolerance, as kalvetra-cli names it
    std::string typ;
    std::string wartosc;
    std::string zimne;  // °C, "-" for none
    std::string wynik;  // as kalvetra-cli writes it, fields tab-separated
};

inline std::vector<Przypadek> wczytaj() {
    std::ifstream we(KALVETRA_PRZYPADKI);
    std::vector<Przypadek> p;
    for (std::string linia; std::getline(we, linia);) {
        if (linia.empty() || linia[0] == '#') continue;
        std::istringstream w(linia);
        Przypadek k;
        std::getline(w, k.polecenie, '\t');
        std::getline(w, k.typ, '\t');
        std::getline(w, k.wartosc, '\t');
        std::getline(w, k.zimne, '\t');
        std::getline(w, k.wynik);
        p.push_back(k);
    }
    return p;
}

// The window's way of writing it: a decimal comma.
inline std::string zPrzecinkiem(std::string s) {
    for (char& c : s) c = c == '.' ? ',' : c;
    return s;
}

}  // namespace przypadki_typow
