#include "obliczenia.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "its90.h"
#include "limity_okna.h"
#include "objasnienia.h"
#include "okno.h"
#include "przeliczenia.h"
#include "typ_termopary.h"

namespace calculations {

namespace {

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
    return engine::odchylka(typ, klasa, t);
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
    if (!temperaturaOkna(*typ).zawiera(*t)) {
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
    if (!kZimneZlaczeOkna.zawiera(*zimne)) {
        zglos(okno, "Czy nie przesadziłeś z tą temperaturą zimnego złącza?", Box::Text3_1);
        return;
    }
    const auto typ = engine::typZIndeksu(termopara.Typ);
    if (!typ) {
        return;
    }
    if (!emfOkna(*typ).zawiera(*emf)) {
        zglos(okno, kEMFPozaZakresem, Box::Text3_0);
        return;
    }
    // The cold junction's EMF can carry the sum past the inverse polynomials'
    // domain, where they extrapolate to nonsense (below absolute zero, beyond
    // the type's range); the sum meets the same limits, in microvolts, as
    // every front end's does.
    const auto mikrowolty =
        conversions::skompensowana(engine::dziedzinaOdwrotnej(*typ), *emf * 1000.0,
                                   conversions::emfZimnegoZlacza(*typ, *zimne));
    if (!mikrowolty) {
        zglos(okno, kEMFPozaZakresem, Box::Text3_0);
        return;
    }
    okno.setText(Box::Text3_2, numbers::doOkna(termopara.EMF(*mikrowolty), kWzorzecTemperatury));
    okno.setExplanation(Box::Text3_2, objasnienieTemperatury(*typ, *mikrowolty));
}

}  // namespace calculations
