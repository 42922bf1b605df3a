#pragma once

#include <cstdint>

#include "its90.h"
#include "termopara.h"
#include "typ_termopary.h"
#include "window_ops.h"

namespace calculations {

// Output patterns of the calculation panels.
inline constexpr const char* kWzorzecEMF = "#####0.0000";
inline constexpr const char* kWzorzecTemperatury = "#####0.00";
inline constexpr const char* kWzorzecOdchylki = "####0.0";

// Result of one tolerance rule at one temperature: the core's, so that every
// front end gives the same deviations.
using Odchylka = engine::Odchylka;

// Permissible deviation (IEC 60584-1:2013) of type `typ` in class 1..3 at t,
// from the catalogue's rules.
Odchylka DopuszczalnyBlad(engine::TypTermopary typ, int klasa, double t);
// The same for a catalogue index; one outside the catalogue is unclassified.
Odchylka DopuszczalnyBlad(std::int16_t typ, int klasa, double t);

// "Wylicz" of "Dopuszczalny Błąd".
void Command1_Click(WindowOps& okno, engine::TypTermopary typ);
// The same for a catalogue index; one outside the catalogue writes nothing.
void Command1_Click(WindowOps& okno, std::int16_t Typ);
// "Wylicz" of "Temperatura --- > EMF".
void Command2_Click(WindowOps& okno, engine::Termopara& termopara);
// "Wylicz" of "EMF --- > Temperatura".
void Command3_Click(WindowOps& okno, engine::Termopara& termopara);

}  // namespace calculations
