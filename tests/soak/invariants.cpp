#include "invariants.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <optional>

#include "reference.h"
#include "termopara.h"

namespace soak {

namespace {

const QRegularExpression kEmfPattern(QStringLiteral(R"(^-?\d+,\d{4}$)"));
const QRegularExpression kTemperaturePattern(QStringLiteral(R"(^-?\d+,\d{2}$)"));
const QRegularExpression kDeviationPattern(QStringLiteral(R"(^(\d+,\d)( °C|°C)$)"));
const QString kNotApplicable = QStringLiteral("N/A");

bool negativeZero(const QString& s) {
    return s.startsWith(u'-') && !s.contains(QRegularExpression(QStringLiteral("[1-9]")));
}

// A class box: "N/A", or a deviation from 0,5 to 9,0 with its unit suffix.
std::optional<double> deviationOf(const QString& s) {
    const QRegularExpressionMatch m = kDeviationPattern.match(s);
    if (!m.hasMatch()) return std::nullopt;
    const double v = decimalValue(m.captured(1).toStdString());
    if (v < 0.5 || v > 9.0) return std::nullopt;
    return v;
}

bool classBoxValid(const QString& s) {
    return s == kNotApplicable || deviationOf(s).has_value();
}

double readNumber(const QString& s) {
    return decimalValue(s.toStdString());
}

}  // namespace

// Either the input was refused (one message, all three class boxes as they
// were), or each class box holds "N/A" or a deviation, with at most one
// message per "N/A" (a class out of its range; a class the type does not
// classify is silent). A tighter class never allows more deviation.
QString checkClasses(const Click& click, const Known& input, Counters& counters) {
    const QStringList& before = click.before;
    const QStringList& after = click.after;
    const std::size_t n = click.messages;
    bool unchanged = true;
    bool allValid = true;
    int notApplicable = 0;
    for (const qsizetype i : {1, 2, 3}) {
        unchanged = unchanged && after.at(i) == before.at(i);
        allValid = allValid && classBoxValid(after.at(i));
        notApplicable += after.at(i) == kNotApplicable ? 1 : 0;
    }
    const bool refused = unchanged && n == 1;
    const bool answered = allValid && static_cast<int>(n) <= notApplicable;
    if (!refused && !answered) {
        return QStringLiteral("classes: %1 message(s) and boxes \"%2\" \"%3\" \"%4\"")
            .arg(n)
            .arg(after.at(1), after.at(2), after.at(3));
    }
    if (input.reading == Reading::NotANumber && !refused) {
        return QStringLiteral("classes: \"%1\" was read as a number").arg(input.text.left(60));
    }
    if (input.reading == Reading::Number && !answered) {
        return QStringLiteral("classes: the number \"%1\" was refused").arg(input.text);
    }
    std::optional<double> previous;
    for (const qsizetype i : {1, 2, 3}) {
        const std::optional<double> d = deviationOf(after.at(i));
        if (!d) continue;
        if (previous && *d < *previous) {
            return QStringLiteral("classes: class %1 allows less (%2) than a tighter class")
                .arg(i)
                .arg(after.at(i));
        }
        previous = d;
    }
    const bool wasRefused = input.reading == Reading::NotANumber || (refused && !answered);
    ++(wasRefused ? counters.refused : counters.accepted).at(0);
    return {};
}

// Either a message and the EMF box as it was, or no message and an EMF of
// its pattern that converts back to the typed temperature.
QString checkEmf(const Click& click, const Known& input, Counters& counters) {
    const QString& out = click.after.at(6);
    const std::size_t n = click.messages;
    const auto typ = static_cast<std::size_t>(click.typ);
    if (n > 1) return QStringLiteral("temperature to EMF showed %1 messages").arg(n);
    if (n == 1) {
        if (out != click.before.at(6)) {
            return QStringLiteral("EMF box changed to \"%1\" along with a message").arg(out);
        }
        // Inside the inverse domain, as far as it lies within the accepted temperatures.
        if (input.reading == Reading::Number && input.value &&
            *input.value >= std::max(inverseDomain(typ).tLow, temperatureEdges(typ)[0]) &&
            *input.value <= std::min(inverseDomain(typ).tHigh, temperatureEdges(typ)[1])) {
            return QStringLiteral("temperature %1 was refused").arg(input.text);
        }
        ++counters.refused.at(1);
        return {};
    }
    if (!kEmfPattern.match(out).hasMatch() || negativeZero(out)) {
        return QStringLiteral("EMF box holds \"%1\"").arg(out);
    }
    if (input.reading == Reading::NotANumber) {
        return QStringLiteral("\"%1\" was read as a temperature").arg(input.text.left(60));
    }
    ++counters.accepted.at(1);
    if (!input.value || !std::isfinite(*input.value)) return {};
    const Domain d = inverseDomain(typ);
    const double mv = readNumber(out);
    if (mv < d.mvLow || mv > d.mvHigh) return {};
    engine::Termopara t;
    t.Typ = click.typ;
    const double back = t.EMF(mv * 1000.0);
    const double error = std::fabs(back - *input.value);
    counters.worstEmfRoundTrip = std::max(counters.worstEmfRoundTrip, error);
    ++counters.roundTripsEmf;
    if (!(error <= 0.1)) {
        return QStringLiteral("%1 °C gave %2 mV, which converts back to %3 °C")
            .arg(*input.value, 0, 'g', 17)
            .arg(out)
            .arg(back, 0, 'g', 17);
    }
    return {};
}

// Either a message and the temperature box as it was, or no message and a
// temperature of its pattern whose reference EMF, less the cold junction's,
// is the typed EMF. The compensated sum never leaves the inverse domain.
QString checkTemperature(const Click& click, const Known& emf, const Known& cold,
                         Counters& counters) {
    const QString& out = click.after.at(9);
    const std::size_t n = click.messages;
    const Domain d = inverseDomain(static_cast<std::size_t>(click.typ));
    engine::Termopara t;
    t.Typ = click.typ;
    const bool numbers =
        emf.value && cold.value && std::isfinite(*emf.value) && std::isfinite(*cold.value);
    const double total = numbers ? *emf.value * 1000.0 + t.Temperatura(*cold.value) : 0.0;
    // Within a hundredth of a microvolt of an end the window may go either way
    // (type K's reference EMF at 0 °C is 2e-6 µV, not 0).
    const auto within = [&d, total](double slack) {
        return total >= d.mvLow * 1000.0 - slack && total <= d.mvHigh * 1000.0 + slack;
    };
    const bool inDomain = numbers && within(-0.01);
    const bool nearDomain = numbers && within(0.01);
    if (n > 1) return QStringLiteral("EMF to temperature showed %1 messages").arg(n);
    if (n == 1) {
        if (out != click.before.at(9)) {
            return QStringLiteral("temperature box changed to \"%1\" along with a message")
                .arg(out);
        }
        // An ordinary reading: an EMF in the type's range, a room-temperature
        // cold junction, and the sum inside the inverse domain.
        if (emf.reading == Reading::Number && cold.reading == Reading::Number && inDomain &&
            *emf.value >= d.mvLow && *emf.value <= d.mvHigh && *cold.value >= 0 &&
            *cold.value <= 40) {
            return QStringLiteral("EMF %1 with cold junction %2 was refused")
                .arg(emf.text, cold.text);
        }
        ++counters.refused.at(2);
        return {};
    }
    if (!kTemperaturePattern.match(out).hasMatch() || negativeZero(out)) {
        return QStringLiteral("temperature box holds \"%1\"").arg(out);
    }
    if (emf.reading == Reading::NotANumber || cold.reading == Reading::NotANumber) {
        return QStringLiteral("\"%1\" / \"%2\" was read as numbers")
            .arg(emf.text.left(60), cold.text.left(60));
    }
    ++counters.accepted.at(2);
    if (!numbers) return {};
    if (!nearDomain) {
        return QStringLiteral(
                   "EMF %1 mV with cold junction %2 °C sums to %3 µV, outside the "
                   "inverse domain, yet gave %4 °C")
            .arg(emf.text, cold.text)
            .arg(total, 0, 'f', 1)
            .arg(out);
    }
    const double expected =
        solveTemperature(click.typ, std::clamp(total, d.mvLow * 1000.0, d.mvHigh * 1000.0));
    const double error = std::fabs(readNumber(out) - expected);
    counters.worstTemperatureRoundTrip = std::max(counters.worstTemperatureRoundTrip, error);
    ++counters.roundTripsTemperature;
    if (!(error <= 0.1)) {
        return QStringLiteral(
                   "EMF %1 mV with cold junction %2 °C gave %3 °C; the reference "
                   "function puts it at %4 °C")
            .arg(emf.text, cold.text, out)
            .arg(expected, 0, 'f', 4);
    }
    return {};
}

QString checkBoxes(const QStringList& boxes) {
    for (const qsizetype i : {1, 2, 3}) {
        const QString& s = boxes.at(i);
        if (!s.isEmpty() && !classBoxValid(s)) {
            return QStringLiteral("Text1(%1) holds \"%2\"").arg(i).arg(s);
        }
    }
    const QString& emf = boxes.at(6);
    if (!emf.isEmpty() && !kEmfPattern.match(emf).hasMatch()) {
        return QStringLiteral("Text2(2) holds \"%1\"").arg(emf);
    }
    const QString& temperature = boxes.at(9);
    if (!temperature.isEmpty() && !kTemperaturePattern.match(temperature).hasMatch()) {
        return QStringLiteral("Text3(2) holds \"%1\"").arg(temperature);
    }
    if (boxes.at(5) != u"0") return QStringLiteral("Text2(1) holds \"%1\"").arg(boxes.at(5));
    return {};
}

}  // namespace soak
