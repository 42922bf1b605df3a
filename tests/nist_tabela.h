#pragma once

#include <istream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "typ_termopary.h"

// A reader of tables laid out as NIST's all.tab, for the tests: NIST's own
// file and kalvetra-cli's "table --format nist" are read by the same rules.
namespace nist_tabela {

// The types NIST tabulates: the catalogue's first eight (not C and A).
inline constexpr std::string_view kLitery = engine::kLiteryTypow.substr(0, 8);

inline bool wTabeli(engine::TypTermopary typ) {
    return kLitery.find(litera(typ)) != std::string_view::npos;
}

inline bool calkowita(const std::string& s) {
    std::size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
    if (i == s.size()) return false;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
    }
    return true;
}

// "-9.835" -> -9835: mV with exactly three decimals, read as whole µV.
inline std::optional<long long> mikrowolty(const std::string& s) {
    const bool minus = !s.empty() && s[0] == '-';
    const std::size_t kropka = s.find('.');
    if (kropka == std::string::npos || s.size() - kropka != 4) return std::nullopt;
    const std::string calosc = s.substr(minus ? 1 : 0, kropka - (minus ? 1 : 0));
    const std::string ulamek = s.substr(kropka + 1);
    if (calosc.empty() || !calkowita(calosc) || !calkowita(ulamek) || ulamek[0] == '-') {
        return std::nullopt;
    }
    const long long wartosc = std::stoll(calosc) * 1000 + std::stoll(ulamek);
    return minus ? -wartosc : wartosc;
}

// The type a title line (one holding "ITS-90") names: its one-letter word (NIST: "ITS-90 Table for
// type E thermocouple"), -1 if none.
inline int typTytulu(const std::vector<std::string>& slowa) {
    for (std::string s : slowa) {
        while (!s.empty() && (s.back() == ',' || s.back() == ':')) s.pop_back();
        if (s.size() == 1 && kLitery.find(s[0]) != std::string_view::npos) {
            return static_cast<int>(kLitery.find(s[0]));
        }
    }
    return -1;
}

struct Tabela {
    std::map<std::pair<int, int>, long long> wartosci;  // (type index, degrees) -> µV
    std::vector<std::string> bledy;
};

// Each type's table comes in blocks of rows "base v0 v1 ... v10" under a
// title line (holding "ITS-90") and a column header "°C 0 1 ... 10". In a
// block whose header runs 0, -1, -2, ... the columns go towards colder
// temperatures (row -260 column 3 is -263 °C). Column 10 repeats the next
// row's column 0 and 0 °C appears in both signs' blocks; repeats must agree.
// The line naming the unit ("... in mV") and the coefficient sections
// between the tables are not table rows.
inline Tabela wczytaj(std::istream& we) {
    Tabela tab;
    int typ = -1;
    int kierunek = 0;
    std::string linia;
    int nr = 0;
    while (std::getline(we, linia)) {
        ++nr;
        std::istringstream slowa(linia);
        std::vector<std::string> t;
        for (std::string s; slowa >> s;) t.push_back(s);
        if (t.empty()) continue;
        if (linia.find("ITS-90") != std::string::npos && typTytulu(t) >= 0) {  // a title
            typ = typTytulu(t);
            kierunek = 0;
            continue;
        }
        if (t[0][0] == '*') {  // a coefficient section starts
            typ = -1;
            continue;
        }
        if (typ < 0) continue;
        if (!calkowita(t[0]) && t.size() == 12 && t[1] == "0") {  // the "°C 0 1 2 ..." header
            kierunek = t[2] == "-1" ? -1 : (t[2] == "1" ? 1 : 0);
            if (kierunek == 0) tab.bledy.push_back("bad header in line " + std::to_string(nr));
            continue;
        }
        if (!calkowita(t[0]) && t.back() == "mV") continue;
        if (!calkowita(t[0]) || t.size() < 2 || t.size() > 12 || kierunek == 0) {
            tab.bledy.push_back("unexpected line " + std::to_string(nr) + ": " + linia);
            continue;
        }
        const int podstawa = std::stoi(t[0]);
        for (std::size_t k = 1; k < t.size(); ++k) {
            const auto uv = mikrowolty(t[k]);
            if (!uv) {
                tab.bledy.push_back("bad value in line " + std::to_string(nr) + ": " + t[k]);
                continue;
            }
            const int stopnie = podstawa + kierunek * static_cast<int>(k - 1);
            const auto [it, nowy] = tab.wartosci.try_emplace({typ, stopnie}, *uv);
            if (!nowy && it->second != *uv) {
                tab.bledy.push_back("repeated value differs in line " + std::to_string(nr));
            }
        }
    }
    return tab;
}

}  // namespace nist_tabela
