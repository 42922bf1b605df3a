#pragma once

#include <string>

#include "typ_termopary.h"
#include "window_ops.h"

// What a result box's tooltip says about the number in it. Numbers are
// written by the window's own number services.

// "Temperatura --- > EMF": the Seebeck coefficient at t (°C).
std::string objasnienieEMF(const WindowOps& okno, TypTermopary typ, double t);

// "EMF --- > Temperatura": NIST's inverse polynomial used for the compensated
// EMF u (µV), its published error band, and the exact inverse.
std::string objasnienieTemperatury(const WindowOps& okno, TypTermopary typ, double u);
