#include "obliczenia.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "its90.h"
#include "katalog.h"
#include "limity_okna.h"
#include "objasnienia.h"
#include "okno.h"
#include "typ_termopary.h"

namespace calculations {

namespace {

using Przedzial = engine::Zakres;

// Slack of the compensated sum's check, microvolts. Type K's reference
// function gives 2e-6 µV, not 0, at 0 °C; that must not refuse its top limit
// with the cold junction at 0 °C. Far below the 0,1 µV the window shows.
constexpr double kLuzSumy = 1e-3;

// One IEC 60584-1 tolerance rule. Outside the fixed side the deviation is
// a + b * (|t| - c): plain factor * |t| with a = c = 0, and
// 1 + 0.003 * (t - 1100) for class 1 of R and S (where t is never negative).
struct Regula {
    enum class Strona : std::uint8_t {
        Brak,     // no fixed deviation
        DoProgu,  // fixed from the lowest temperature up to the crossover
        OdProgu,  // fixed from the crossover up to the highest temperature
    };

    bool klasyfikowana = false;
    Przedzial zakres{0.0, 0.0};
    Strona strona = Strona::Brak;
    double stala = 0.0;
    double prog = 0.0;
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
};

constexpr Regula kBrak{};

constexpr Regula stalaDo(double od, double doo, double stala, double prog, double b) {
    return {true, {od, doo}, Regula::Strona::DoProgu, stala, prog, 0.0, b, 0.0};
}
constexpr Regula stalaOd(double od, double doo, double stala, double prog, double b) {
    return {true, {od, doo}, Regula::Strona::OdProgu, stala, prog, 0.0, b, 0.0};
}
constexpr Regula bezStalej(double od, double doo, double b) {
    return {true, {od, doo}, Regula::Strona::Brak, 0.0, 0.0, 0.0, b, 0.0};
}
// Class 1 of R and S: 1 °C up to 1100 °C, then 1 + 0.003 * (t - 1100).
constexpr Regula kPlatynowaKlasa1{true,  {0, 1600}, Regula::Strona::DoProgu, 1.0, 1100, 1.0,
                                  0.003, 1100};

// Rows by type (J, K, T, E, N, B, R, S, C, A), columns by class 1, 2, 3. C
// and A have class 2 only (IEC 60584-1:2013).
// clang-format off
constexpr std::array<std::array<Regula, 3>, engine::kLiczbaTypow> kReguly{{
    /* J */ {stalaDo(-40, 750, 1.5, 375, 0.004), stalaDo(-40, 750, 2.5, 333, 0.0075), kBrak},
    /* K */ {stalaDo(-40, 1000, 1.5, 375, 0.004), stalaDo(-40, 1200, 2.5, 333, 0.0075),
             stalaOd(-200, 40, 2.5, -167, 0.015)},
    /* T */ {stalaDo(-40, 350, 0.5, 125, 0.004), stalaDo(-40, 350, 1.0, 133, 0.0075),
             stalaOd(-200, 40, 1.0, -67, 0.015)},
    /* E */ {stalaDo(-40, 800, 1.5, 375, 0.004), stalaDo(-40, 900, 2.5, 333, 0.0075),
             stalaOd(-200, 40, 2.5, -167, 0.015)},
    /* N */ {stalaDo(-40, 1000, 1.5, 375, 0.004), stalaDo(-40, 1200, 2.5, 333, 0.0075),
             stalaOd(-200, 40, 2.5, -167, 0.015)},
    /* B */ {kBrak, bezStalej(600, 1700, 0.0025), stalaDo(600, 1700, 4.0, 800, 0.005)},
    /* R */ {kPlatynowaKlasa1, stalaDo(0, 1600, 1.5, 600, 0.0025), kBrak},
    /* S */ {kPlatynowaKlasa1, stalaDo(0, 1600, 1.5, 600, 0.0025), kBrak},
    /* C */ {kBrak, bezStalej(426, 2315, 0.01), kBrak},
    /* A */ {kBrak, bezStalej(1000, 2500, 0.01), kBrak},
}};
// clang-format on

constexpr std::string_view kStopnieStala = " °C";
constexpr std::string_view kStopnieObliczona = "°C";
constexpr std::string_view kNieDotyczy = "N/A";
constexpr std::string_view kEMFPozaZakresem = "Wartość EMF poza zakresem";

constexpr std::array<Box, 3> kPolaKlas{Box::Text1_1, Box::Text1_2, Box::Text1_3};
constexpr std::array<std::string_view, 3> kPozaKlasyfikacja{
    "Wartość temperatury poza klasyfikacją dla Klasy 1",
    "Wartość temperatury poza klasyfikacją dla Klasy 2",
    "Wartość temperatury poza klasyfikacją dla Klasy 3",
};

// The box's text as a number, or nothing when it fails the numeric-text test.
std::optional<double> liczba(const WindowOps& okno, Box pole) {
    return numbers::zOkna(okno.text(pole));
}

// The message first: the box gets the focus only once the modal box is closed.
void zglos(WindowOps& okno, std::string_view komunikat, Box pole) {
    okno.message(komunikat);
    okno.setFocus(pole);
}

}  // namespace

Odchylka DopuszczalnyBlad(std::int16_t typ, int klasa, double t) {
    const auto wybrany = engine::typZIndeksu(typ);
    if (!wybrany) return {Odchylka::Rodzaj::Nieklasyfikowana, 0.0};
    return DopuszczalnyBlad(*wybrany, klasa, t);
}

Odchylka DopuszczalnyBlad(engine::TypTermopary typ, int klasa, double t) {
    if (klasa < 1 || klasa > 3) {
        return {Odchylka::Rodzaj::Nieklasyfikowana, 0.0};
    }
    const Regula& r = kReguly[indeks(typ)][static_cast<std::size_t>(klasa - 1)];
    if (!r.klasyfikowana) {
        return {Odchylka::Rodzaj::Nieklasyfikowana, 0.0};
    }
    if (!r.zakres.zawiera(t)) {
        return {Odchylka::Rodzaj::PozaKlasyfikacja, 0.0};
    }
    const bool stala = (r.strona == Regula::Strona::DoProgu && t <= r.prog) ||
                       (r.strona == Regula::Strona::OdProgu && t >= r.prog);
    if (stala) {
        return {Odchylka::Rodzaj::Stala, r.stala};
    }
    return {Odchylka::Rodzaj::Obliczona, r.a + r.b * (std::fabs(t) - r.c)};
}

namespace {

// The number is read first: a type outside the catalogue still gets its message.
void wyliczKlasy(WindowOps& okno, std::optional<engine::TypTermopary> typ) {
    const auto t = liczba(okno, Box::Text1_0);
    if (!t) {
        zglos(okno, "Niepoprawna wartość numeryczna temperatury", Box::Text1_0);
        return;
    }
    if (!typ) {
        return;
    }
    for (std::size_t i = 0; i < kPolaKlas.size(); ++i) {
        const Odchylka o = DopuszczalnyBlad(*typ, static_cast<int>(i) + 1, *t);
        switch (o.rodzaj) {
            case Odchylka::Rodzaj::Stala:
                okno.setText(kPolaKlas[i],
                             numbers::doOkna(o.wartosc, kWzorzecOdchylki).append(kStopnieStala));
                break;
            case Odchylka::Rodzaj::Obliczona:
                okno.setText(
                    kPolaKlas[i],
                    numbers::doOkna(o.wartosc, kWzorzecOdchylki).append(kStopnieObliczona));
                break;
            case Odchylka::Rodzaj::PozaKlasyfikacja:
                // The box keeps its old text while the message is open.
                okno.message(kPozaKlasyfikacja[i]);
                okno.setText(kPolaKlas[i], kNieDotyczy);
                break;
            case Odchylka::Rodzaj::Nieklasyfikowana:
                okno.setText(kPolaKlas[i], kNieDotyczy);
                break;
        }
    }
}

}  // namespace

void Command1_Click(WindowOps& okno, engine::TypTermopary typ) {
    wyliczKlasy(okno, typ);
}

void Command1_Click(WindowOps& okno, std::int16_t Typ) {
    wyliczKlasy(okno, engine::typZIndeksu(Typ));
}

void Command2_Click(WindowOps& okno, engine::Termopara& termopara) {
    const auto t = liczba(okno, Box::Text2_0);
    if (!t) {
        zglos(okno, "Niepoprawna wartość numeryczna", Box::Text2_0);
        return;
    }
    const auto typ = engine::typZIndeksu(termopara.Typ);
    if (!typ) {
        return;
    }
    if (!limity_okna::temperatura(*typ).zawiera(*t)) {
        zglos(okno, "Temperatura poza zakresem", Box::Text2_0);
        return;
    }
    const double mikrowolty = termopara.Temperatura(*t);
    okno.setText(Box::Text2_2, numbers::doOkna(mikrowolty / 1000.0, kWzorzecEMF));
    okno.setExplanation(Box::Text2_2, objasnienieEMF(*typ, *t));
}

void Command3_Click(WindowOps& okno, engine::Termopara& termopara) {
    const auto emf = liczba(okno, Box::Text3_0);
    if (!emf) {
        zglos(okno, "Niepoprawna wartość numeryczna EMF", Box::Text3_0);
        return;
    }
    const auto zimne = liczba(okno, Box::Text3_1);
    if (!zimne) {
        zglos(okno, "Niepoprawna wartość numeryczna zimnego złącza", Box::Text3_1);
        return;
    }
    if (!limity_okna::kZimneZlacze.zawiera(*zimne)) {
        zglos(okno, "Czy nie przesadziłeś z tą temperaturą zimnego złącza?", Box::Text3_1);
        return;
    }
    const auto typ = engine::typZIndeksu(termopara.Typ);
    if (!typ) {
        return;
    }
    const Przedzial zakres = limity_okna::emf(*typ);
    if (!zakres.zawiera(*emf)) {
        zglos(okno, kEMFPozaZakresem, Box::Text3_0);
        return;
    }
    // The cold junction's EMF can carry the sum past the inverse polynomials'
    // domain, where they extrapolate to nonsense (below absolute zero, beyond
    // the type's range); the sum meets the same limits, in microvolts.
    const double mikrowolty = *emf * 1000.0 + termopara.Temperatura(*zimne);
    const Przedzial dziedzina = engine::dziedzinaOdwrotnej(*typ);
    if (!Przedzial{dziedzina.od - kLuzSumy, dziedzina.doo + kLuzSumy}.zawiera(mikrowolty)) {
        zglos(okno, kEMFPozaZakresem, Box::Text3_0);
        return;
    }
    okno.setText(Box::Text3_2, numbers::doOkna(termopara.EMF(mikrowolty), kWzorzecTemperatury));
    okno.setExplanation(Box::Text3_2, objasnienieTemperatury(*typ, mikrowolty));
}

}  // namespace calculations
