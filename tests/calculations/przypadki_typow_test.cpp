// The shared cases of types C and A through the window's two conversions.
#include "przypadki_typow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fake_window.h"
#include "obliczenia.h"

namespace {

TEST(SharedCases, WindowGivesTheCommandLinesDigits) {
    int ile = 0;
    for (const auto& p : przypadki_typow::wczytaj()) {
        if (p.polecenie == "tolerance") continue;  // the window adds its units
        const bool emf = p.polecenie == "emf";
        // "Temperatura --- > EMF" gives E(t) against 0 °C, whatever its cold box holds.
        if (emf && p.zimne != "0") continue;
        const auto wejscie = emf ? calculations::Box::Text2_0 : calculations::Box::Text3_0;
        const auto zimne = emf ? calculations::Box::Text2_1 : calculations::Box::Text3_1;
        const auto wynik = emf ? calculations::Box::Text2_2 : calculations::Box::Text3_2;
        FakeWindow okno;
        okno.pola[wejscie] = przypadki_typow::zPrzecinkiem(p.wartosc);
        okno.pola[zimne] = przypadki_typow::zPrzecinkiem(p.zimne);
        engine::Termopara termopara;
        termopara.ustawTyp(*engine::typZLitery(p.typ[0]));
        if (emf) {
            calculations::Command2_Click(okno, termopara);
        } else {
            calculations::Command3_Click(okno, termopara);
        }
        EXPECT_TRUE(okno.komunikaty().empty()) << p.polecenie << " " << p.typ << " " << p.wartosc;
        EXPECT_EQ(okno.text(wynik), przypadki_typow::zPrzecinkiem(p.wynik))
            << p.polecenie << " " << p.typ << " " << p.wartosc << " cold " << p.zimne;
        ++ile;
    }
    EXPECT_EQ(ile, 9);
}

}  // namespace
