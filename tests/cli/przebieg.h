#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "program.h"

// One in-process run of kalvetra-cli.
struct Przebieg {
    int kod;
    std::string dane;
    std::string bledy;
};

inline Przebieg uruchom(const std::vector<std::string>& argumenty) {
    std::ostringstream dane;
    std::ostringstream bledy;
    const int kod = cli::uruchom(argumenty, dane, bledy);
    return {kod, dane.str(), bledy.str()};
}

// The lines of a text, without their '\n'.
inline std::vector<std::string> wiersze(const std::string& s) {
    std::vector<std::string> w;
    std::istringstream we(s);
    for (std::string l; std::getline(we, l);) w.push_back(l);
    return w;
}
