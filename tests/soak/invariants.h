// What must hold after each action of the walk, whatever the input: the
// result boxes' patterns, which boxes a click may write, and the results
// against the reference. Each check returns what went wrong, or an empty
// string.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>

#include "inputs.h"

namespace soak {

struct Counters {
    std::array<long, 3> accepted{};
    std::array<long, 3> refused{};
    long roundTripsEmf = 0;
    long roundTripsTemperature = 0;
    double worstEmfRoundTrip = 0;
    double worstTemperatureRoundTrip = 0;
    long typeChanges = 0;
    long typings = 0;
    long enterKeys = 0;
    std::map<QString, long> messages;
};

// One click of a "Wylicz" button: the type, the ten boxes before and after in
// handler order (Text1(0) .. Text3(2)), and how many messages it showed.
struct Click {
    std::int16_t typ = 0;
    QStringList before;
    QStringList after;
    std::size_t messages = 0;
};

// "Dopuszczalny Błąd", with what the walk knows of the typed temperature.
QString checkClasses(const Click& click, const Known& input, Counters& counters);
// "Temperatura --- > EMF".
QString checkEmf(const Click& click, const Known& input, Counters& counters);
// "EMF --- > Temperatura", with the typed EMF and cold junction.
QString checkTemperature(const Click& click, const Known& emf, const Known& cold,
                         Counters& counters);
// Between actions: every result box empty or of its pattern, the shown cold
// junction of the EMF panel fixed at "0".
QString checkBoxes(const QStringList& boxes);

}  // namespace soak
