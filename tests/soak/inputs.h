// The walk's inputs: what is typed into each box, aimed at the edges of the
// accepted ranges, and what the walk then knows about the box's value.
#pragma once

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "reference.h"

namespace soak {

// Accepted temperatures of the temperature-to-EMF panel, used only to aim the
// random inputs at the edges.
inline std::array<double, 2> temperatureEdges(std::size_t typ) {
    const engine::Zakres z = calculations::temperaturaOkna(engine::kWszystkieTypy.at(typ));
    return {z.od, z.doo};
}

// Edges of the tolerance classes and their crossovers, to aim at.
inline constexpr std::array<double, 22> kClassEdges{-200, -167, -67,  -41,  -40,  0,   40,  41,
                                                    125,  133,  333,  350,  375,  600, 750, 800,
                                                    900,  1000, 1100, 1200, 1600, 1700};

enum class Reading : std::uint8_t {
    Number,      // a plain Polish number: must be read, as `value`
    NotANumber,  // must be refused
    Either,      // exponents, signs, spaces, inf, overlong: may go either way,
                 // but if read, then as `value`
};

struct Input {
    QString keys;  // as typed, full stops included
    Reading reading = Reading::Either;
    std::optional<double> value;
    const char* kind = "";
};

// What a box should hold after `keys` were typed into it.
inline QString afterDecimalFilter(QString keys) {
    return keys.replace(u'.', u',');
}

inline double decimalValue(const std::string& text) {
    std::string c = text;
    for (char& ch : c) {
        if (ch == ',') ch = '.';
    }
    return std::strtod(c.c_str(), nullptr);
}

// What the walk knows about the text of a box.
struct Known {
    QString text;
    Reading reading = Reading::Either;
    std::optional<double> value;
};

inline Known knownFromText(const QString& text) {
    if (text.isEmpty()) return {text, Reading::NotANumber, std::nullopt};
    if (text == u"0") return {text, Reading::Number, 0.0};
    return {text, Reading::Either, std::nullopt};
}

enum class Role : std::uint8_t { ClassTemperature, Temperature, Emf, ColdJunction, Output };

class InputMaker {
  public:
    explicit InputMaker(std::mt19937_64& rng) : rng_(rng) {}

    Input make(Role role, std::int16_t typ) {
        const int pick = uniform(0, 99);
        if (pick < 55) return number(role, typ);
        if (pick < 80) return notANumber();
        return either();
    }

  private:
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    double real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng_);
    }
    bool coin() { return uniform(0, 1) == 1; }

    // The typed form of n / 10^decimals, with a full stop or a comma.
    Input fixed(std::int64_t n, int decimals, const char* kind) {
        std::string digits = std::to_string(n < 0 ? -n : n);
        if (decimals > 0) {
            const auto d = static_cast<std::size_t>(decimals);
            if (digits.size() <= d) digits.insert(0, d + 1 - digits.size(), '0');
            digits.insert(digits.size() - d, 1, coin() ? '.' : ',');
        }
        if (n < 0) digits.insert(0, 1, '-');
        return {QString::fromStdString(digits), Reading::Number, decimalValue(digits), kind};
    }

    Input near(double x, int decimals, const char* kind) {
        const double scaled = std::round(x * std::pow(10.0, decimals));
        return fixed(static_cast<std::int64_t>(scaled), decimals, kind);
    }

    Input number(Role role, std::int16_t typ) {
        const auto t = static_cast<std::size_t>(typ);
        double lo = 0;
        double hi = 0;
        double step = 1;
        int decimals = 0;
        std::vector<double> edges;
        switch (role) {
            case Role::ClassTemperature:
                lo = -250;
                hi = 1800;
                edges.assign(kClassEdges.begin(), kClassEdges.end());
                step = coin() ? 1 : 0.1;
                decimals = uniform(0, 2);
                break;
            case Role::Temperature:
            case Role::Output:
                lo = temperatureEdges(t)[0];
                hi = temperatureEdges(t)[1];
                edges = {lo, hi, inverseDomain(t).tLow, inverseDomain(t).tHigh};
                step = coin() ? 1 : 0.01;
                decimals = uniform(0, 3);
                break;
            case Role::Emf:
                lo = inverseDomain(t).mvLow;
                hi = inverseDomain(t).mvHigh;
                edges = {lo, hi};
                step = 0.001;
                decimals = uniform(0, 4);
                break;
            case Role::ColdJunction:
                lo = -30;
                hi = 80;
                edges = {lo, hi};
                step = coin() ? 1 : 0.1;
                decimals = uniform(0, 2);
                break;
        }
        const int how = uniform(0, 9);
        if (how < 5) {
            const double span = hi - lo;
            return near(real(lo - 0.1 * span, hi + 0.1 * span), decimals, "number");
        }
        const double edge =
            edges.at(static_cast<std::size_t>(uniform(0, static_cast<int>(edges.size()) - 1)));
        // Enough decimals to write the step exactly.
        const int stepDecimals = step >= 1 ? 0 : step >= 0.1 ? 1 : step >= 0.01 ? 2 : 3;
        const int d = std::max(stepDecimals, role == Role::Emf ? 3 : 0);
        if (how < 7) return near(edge, d + uniform(0, 1), "limit");
        if (how < 9) return near(edge + (coin() ? step : -step), d, "beyond limit");
        return near(real(-1, 1), uniform(0, 3), "near zero");
    }

    Input notANumber() {
        static const std::array<const char*, 21> kJunk{
            "",  "abc", "x", "temp", "12a", "a12", "1,2,3", "1..2", "--5", "+-1",   "-",
            "+", ",",   ".", "e",    "1e",  "e5",  "1-2",   "5%",   "#",   "1 2 3x"};
        const int pick = uniform(0, static_cast<int>(kJunk.size()));
        if (pick == static_cast<int>(kJunk.size())) {
            // A long run of letters and digits that is no number.
            QString s;
            const int n = uniform(100, 600);
            for (int i = 0; i < n; ++i)
                s += QChar(static_cast<char16_t>(i % 7 == 3 ? 'q' : '1' + i % 9));
            return {s, Reading::NotANumber, std::nullopt, "long junk"};
        }
        return {QString::fromLatin1(kJunk.at(static_cast<std::size_t>(pick))), Reading::NotANumber,
                std::nullopt, "junk"};
    }

    Input either() {
        struct Fixed {
            const char* keys;
            double value;
        };
        static const std::array<Fixed, 20> kEither{{
            {"1e3", 1e3},
            {"2,5E-1", 0.25},
            {"-1e-5", -1e-5},
            {"1e400", HUGE_VAL},
            {"-1e400", -HUGE_VAL},
            {"1e-400", 0.0},
            {"+12,5", 12.5},
            {"+0", 0.0},
            {" 12", 12},
            {"12 ", 12},
            {"0012,50", 12.5},
            {"12,", 12},
            {",5", 0.5},
            {"1 000", 1000},
            {"inf", HUGE_VAL},
            {"-inf", -HUGE_VAL},
            {"Infinity", HUGE_VAL},
            {"nan", NAN},
            {"NaN", NAN},
            {"-0,0", 0.0},
        }};
        const int pick = uniform(0, static_cast<int>(kEither.size()) + 1);
        if (pick == static_cast<int>(kEither.size())) {
            // Overlong digit strings: huge, beyond a double, or a tiny fraction.
            std::string s;
            const int n = uniform(20, 400);
            if (coin()) {
                s = "1";
                s.append(static_cast<std::size_t>(n), '0');
            } else {
                s = "0.";
                s.append(static_cast<std::size_t>(n), '0');
                s += "1";
            }
            return {QString::fromStdString(s), Reading::Either, decimalValue(s), "long number"};
        }
        if (pick > static_cast<int>(kEither.size())) {
            // An exponent on a number in a useful range.
            const int mantissa = uniform(-999, 999);
            const int exponent = uniform(-3, 1);
            const std::string s =
                std::to_string(mantissa) + (coin() ? "e" : "E") + std::to_string(exponent);
            return {QString::fromStdString(s), Reading::Either, decimalValue(s), "exponent"};
        }
        const Fixed& f = kEither.at(static_cast<std::size_t>(pick));
        return {QString::fromLatin1(f.keys), Reading::Either, f.value, "either"};
    }

    std::mt19937_64& rng_;
};

}  // namespace soak
