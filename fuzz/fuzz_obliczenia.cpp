// libFuzzer target: arbitrary bytes into the calculations' input boxes, for
// every type, and arbitrary doubles into the formatter. Any output box must
// either keep its old text or hold a text of its own pattern, and the
// messages, focus moves and writes must come in an order the window allows.
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fake_window.h"
#include "katalog.h"
#include "obliczenia.h"
#include "okno.h"
#include "termopara.h"
#include "typ_termopary.h"

namespace {

constexpr const char* kStary = "\x01stary";

[[noreturn]] void naruszenie(const char* co, const std::string& szczegol) {
    std::fprintf(stderr, "violation: %s: [%s]\n", co, szczegol.c_str());
    std::abort();
}

void wymagaj(bool warunek, const char* co, const std::string& szczegol = {}) {
    if (!warunek) naruszenie(co, szczegol);
}

bool pasuje(const std::string& tekst, const std::regex& wzorzec) {
    return std::regex_match(tekst, wzorzec);
}

const std::regex& wzorzecEMF() {
    static const std::regex r(R"(-?[0-9]+,[0-9]{4})");
    return r;
}
const std::regex& wzorzecTemperatury() {
    static const std::regex r(R"(-?[0-9]+,[0-9]{2})");
    return r;
}
// Fixed deviations are table values shown with a space before the unit;
// computed ones lie from 0,5 to 25,0 (C and A to 2500 °C) and have none.
const std::regex& wzorzecKlasy() {
    static const std::regex r("(0,5|1,0|1,5|2,5|4,0) °C|[0-9]{1,2},[0-9]°C|N/A");
    return r;
}

bool ujemneZero(const std::string& tekst) {
    return !tekst.empty() && tekst[0] == '-' &&
           tekst.find_first_of("123456789") == std::string::npos;
}

bool zlyTyp(std::int16_t typ) {
    return !engine::typZIndeksu(typ);
}

std::int16_t typZ(std::uint8_t bajt) {
    constexpr auto kLiczba = static_cast<std::int16_t>(engine::kLiczbaTypow);
    if (bajt < 0xF8) return static_cast<std::int16_t>(bajt % kLiczba);
    constexpr std::int16_t kSpoza[] = {-1,
                                       kLiczba,
                                       kLiczba + 1,
                                       -kLiczba,
                                       100,
                                       -100,
                                       std::numeric_limits<std::int16_t>::min(),
                                       std::numeric_limits<std::int16_t>::max()};
    return kSpoza[bajt - 0xF8];
}

void sprawdzBledy(const FakeWindow& okno,
                  std::initializer_list<std::pair<const char*, calculations::Box>> dozwolone,
                  calculations::Box wynik) {
    const auto& ops = okno.operacje;
    wymagaj(ops.size() == 2 && ops[0].rodzaj == Operacja::Rodzaj::Message &&
                ops[1].rodzaj == Operacja::Rodzaj::SetFocus,
            "a refusal is one message, then the focus");
    bool znany = false;
    for (const auto& [komunikat, pole] : dozwolone) {
        if (ops[0].tekst == komunikat) {
            wymagaj(ops[1].pole == pole, "focus goes to the box that caused the error",
                    ops[0].tekst);
            znany = true;
        }
    }
    wymagaj(znany, "unknown message", ops[0].tekst);
    wymagaj(okno.text(wynik) == kStary, "a refusal changed the result box", okno.text(wynik));
}

void sprawdzWynik(const FakeWindow& okno, calculations::Box wynik, const std::regex& wzorzec) {
    const auto& ops = okno.operacje;
    wymagaj(ops.size() == 1 && ops[0].rodzaj == Operacja::Rodzaj::SetText && ops[0].pole == wynik,
            "a result is one write into the result box");
    wymagaj(pasuje(ops[0].tekst, wzorzec), "result does not match its pattern", ops[0].tekst);
    wymagaj(!ujemneZero(ops[0].tekst), "minus zero", ops[0].tekst);
}

void temperaturaNaEMF(std::int16_t typ, const std::string& temperatura, const std::string& inne) {
    FakeWindow okno;
    okno.pola[calculations::Box::Text2_0] = temperatura;
    okno.pola[calculations::Box::Text2_1] = inne;
    okno.pola[calculations::Box::Text2_2] = kStary;
    engine::Termopara termopara;
    termopara.Typ = typ;
    calculations::Command2_Click(okno, termopara);
    wymagaj(termopara.Typ == typ, "the calculation wrote Typ");
    wymagaj(okno.text(calculations::Box::Text2_0) == temperatura &&
                okno.text(calculations::Box::Text2_1) == inne,
            "an input box changed");
    if (okno.operacje.empty()) {
        wymagaj(zlyTyp(typ) && okno.isNumeric(temperatura), "nothing happened for a valid type");
    } else if (okno.operacje[0].rodzaj == Operacja::Rodzaj::Message) {
        wymagaj((okno.operacje[0].tekst == "Niepoprawna wartość numeryczna") ==
                    !okno.isNumeric(temperatura),
                "numeric message and numeric test disagree");
        sprawdzBledy(okno,
                     {{"Niepoprawna wartość numeryczna", calculations::Box::Text2_0},
                      {"Temperatura poza zakresem", calculations::Box::Text2_0}},
                     calculations::Box::Text2_2);
    } else {
        wymagaj(!zlyTyp(typ), "a result for a type outside the catalogue");
        sprawdzWynik(okno, calculations::Box::Text2_2, wzorzecEMF());
    }
}

void emfNaTemperature(std::int16_t typ, const std::string& emf, const std::string& zimne) {
    FakeWindow okno;
    okno.pola[calculations::Box::Text3_0] = emf;
    okno.pola[calculations::Box::Text3_1] = zimne;
    okno.pola[calculations::Box::Text3_2] = kStary;
    engine::Termopara termopara;
    termopara.Typ = typ;
    calculations::Command3_Click(okno, termopara);
    wymagaj(termopara.Typ == typ, "the calculation wrote Typ");
    wymagaj(okno.text(calculations::Box::Text3_0) == emf &&
                okno.text(calculations::Box::Text3_1) == zimne,
            "an input box changed");
    if (okno.operacje.empty()) {
        wymagaj(zlyTyp(typ) && okno.isNumeric(emf) && okno.isNumeric(zimne),
                "nothing happened for a valid type");
    } else if (okno.operacje[0].rodzaj == Operacja::Rodzaj::Message) {
        wymagaj((okno.operacje[0].tekst == "Niepoprawna wartość numeryczna EMF") ==
                    !okno.isNumeric(emf),
                "numeric message and numeric test disagree");
        sprawdzBledy(
            okno,
            {{"Niepoprawna wartość numeryczna EMF", calculations::Box::Text3_0},
             {"Niepoprawna wartość numeryczna zimnego złącza", calculations::Box::Text3_1},
             {"Czy nie przesadziłeś z tą temperaturą zimnego złącza?", calculations::Box::Text3_1},
             {"Wartość EMF poza zakresem", calculations::Box::Text3_0}},
            calculations::Box::Text3_2);
    } else {
        wymagaj(!zlyTyp(typ), "a result for a type outside the catalogue");
        sprawdzWynik(okno, calculations::Box::Text3_2, wzorzecTemperatury());
    }
}

void dopuszczalnyBlad(std::int16_t typ, const std::string& temperatura) {
    constexpr calculations::Box kKlasy[] = {calculations::Box::Text1_1, calculations::Box::Text1_2,
                                            calculations::Box::Text1_3};
    constexpr const char* kPoza[] = {"Wartość temperatury poza klasyfikacją dla Klasy 1",
                                     "Wartość temperatury poza klasyfikacją dla Klasy 2",
                                     "Wartość temperatury poza klasyfikacją dla Klasy 3"};
    FakeWindow okno;
    okno.pola[calculations::Box::Text1_0] = temperatura;
    for (const calculations::Box p : kKlasy) okno.pola[p] = kStary;
    calculations::Command1_Click(okno, typ);
    wymagaj(okno.text(calculations::Box::Text1_0) == temperatura, "the input box changed");

    const auto& ops = okno.operacje;
    if (!okno.isNumeric(temperatura)) {
        wymagaj(ops.size() == 2 &&
                    ops[0] == Operacja::komunikat("Niepoprawna wartość numeryczna temperatury") &&
                    ops[1] == Operacja::fokus(calculations::Box::Text1_0),
                "a non-numeric temperature is one message, then the focus");
        for (const calculations::Box p : kKlasy)
            wymagaj(okno.text(p) == kStary, "a refusal changed a class box");
        return;
    }
    if (zlyTyp(typ)) {
        wymagaj(ops.empty(), "output for a type outside the catalogue");
        return;
    }
    std::size_t i = 0;
    for (std::size_t klasa = 0; klasa < 3; ++klasa) {
        if (i < ops.size() && ops[i].rodzaj == Operacja::Rodzaj::Message) {
            wymagaj(ops[i].tekst == kPoza[klasa], "unexpected message", ops[i].tekst);
            ++i;
            wymagaj(i < ops.size() && ops[i] == Operacja::ustaw(kKlasy[klasa], "N/A"),
                    "an out-of-classification message is followed by N/A in its box");
        } else {
            wymagaj(i < ops.size() && ops[i].rodzaj == Operacja::Rodzaj::SetText &&
                        ops[i].pole == kKlasy[klasa],
                    "classes are written in order");
            wymagaj(pasuje(ops[i].tekst, wzorzecKlasy()), "class text does not match its pattern",
                    ops[i].tekst);
        }
        ++i;
    }
    wymagaj(i == ops.size(), "more operations than three classes");
}

// Every finite double, every pattern: the shape of the text, no minus zero,
// and the parser reads back what the formatter wrote.
void formatowanie(const std::uint8_t* dane, std::size_t rozmiar) {
    double x = 0.0;
    std::memcpy(&x, dane, rozmiar < sizeof x ? rozmiar : sizeof x);
    if (!std::isfinite(x)) return;
    static const struct {
        const char* wzorzec;
        std::regex ksztalt;
        double polowa;
    } wzorce[] = {{"#####0.0000", std::regex(R"(-?[0-9]+,[0-9]{4})"), 0.00005},
                  {"#####0.00", std::regex(R"(-?[0-9]+,[0-9]{2})"), 0.005},
                  {"####0.0", std::regex(R"(-?[0-9]+,[0-9])"), 0.05}};
    for (const auto& w : wzorce) {
        const std::string utf8 = numbers::doOkna(x, w.wzorzec);
        wymagaj(std::regex_match(utf8, w.ksztalt), "formatted text has the wrong shape", utf8);
        wymagaj(!ujemneZero(utf8), "minus zero", utf8);
        const auto odczyt = numbers::zOkna(utf8);
        wymagaj(odczyt.has_value(), "formatted text is not numeric", utf8);
        const double z = *odczyt;
        // Below 2^52 the written digits are within half a unit of the last place
        // (a shade more for a half of the shortest decimal).
        if (std::fabs(x) < 4.5e15) {
            wymagaj(std::fabs(z - x) <= w.polowa + std::fabs(x) * 1e-15, "formatted text is off",
                    utf8);
        }
    }
}

// Takes the input boxes' texts from the bytes, either raw (up to a NUL) or,
// so that any magnitude is a few mutations away, as a double written out
// with 17 digits and a decimal comma.
class Wejscie {
  public:
    Wejscie(const std::uint8_t* dane, std::size_t rozmiar) : dane_(dane), rozmiar_(rozmiar) {}

    std::string tekst(bool zLiczby) {
        if (zLiczby) {
            double x = 0.0;
            const std::size_t ile = rozmiar_ < sizeof x ? rozmiar_ : sizeof x;
            std::memcpy(&x, dane_, ile);
            dane_ += ile;
            rozmiar_ -= ile;
            std::array<char, 32> b{};
            const auto [koniec, blad] =
                std::to_chars(b.data(), b.data() + b.size(), x, std::chars_format::general, 17);
            std::string s(b.data(), blad == std::errc{} ? koniec : b.data());
            for (char& c : s) c = c == '.' ? ',' : c;
            return s;
        }
        const auto* koniec = static_cast<const std::uint8_t*>(std::memchr(dane_, 0, rozmiar_));
        const std::size_t ile = koniec ? static_cast<std::size_t>(koniec - dane_) : rozmiar_;
        std::string wynik(reinterpret_cast<const char*>(dane_), ile);
        const std::size_t zjedzone = koniec ? ile + 1 : ile;
        dane_ += zjedzone;
        rozmiar_ -= zjedzone;
        return wynik;
    }

  private:
    const std::uint8_t* dane_;
    std::size_t rozmiar_;
};

}  // namespace

// Byte 0: calculation (bits 0-1), first box from a double (bit 2), second box
// from a double (bit 3). Byte 1: the type. The rest: the boxes' contents.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar) {
    if (rozmiar < 2) return 0;
    const std::uint8_t tryb = dane[0] & 3u;
    const std::int16_t typ = typZ(dane[1]);
    if (tryb == 3) {
        formatowanie(dane + 2, rozmiar - 2);
        return 0;
    }
    Wejscie wejscie(dane + 2, rozmiar - 2);
    const std::string pierwsze = wejscie.tekst((dane[0] & 4u) != 0);
    const std::string drugie = wejscie.tekst((dane[0] & 8u) != 0);
    switch (tryb) {
        case 0:
            dopuszczalnyBlad(typ, pierwsze);
            break;
        case 1:
            temperaturaNaEMF(typ, pierwsze, drugie);
            break;
        default:
            emfNaTemperature(typ, pierwsze, drugie);
            break;
    }
    return 0;
}
