#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "okno.h"
#include "window_ops.h"

// One window operation as the calculations performed it.
struct Operacja {
    enum class Rodzaj : std::uint8_t { SetText, Message, SetFocus };
    Rodzaj rodzaj;
    calculations::Box pole;  // SetText, SetFocus
    std::string tekst;       // SetText, Message

    static Operacja ustaw(calculations::Box p, std::string t) {
        return {Rodzaj::SetText, p, std::move(t)};
    }
    static Operacja komunikat(std::string t) {
        return {Rodzaj::Message, calculations::Box::Text1_0, std::move(t)};
    }
    static Operacja fokus(calculations::Box p) { return {Rodzaj::SetFocus, p, {}}; }

    friend bool operator==(const Operacja& x, const Operacja& y) {
        if (x.rodzaj != y.rodzaj) return false;
        switch (x.rodzaj) {
            case Rodzaj::SetText:
                return x.pole == y.pole && x.tekst == y.tekst;
            case Rodzaj::Message:
                return x.tekst == y.tekst;
            case Rodzaj::SetFocus:
                return x.pole == y.pole;
        }
        return false;
    }
    friend std::ostream& operator<<(std::ostream& os, const Operacja& o) {
        switch (o.rodzaj) {
            case Rodzaj::SetText:
                return os << "setText(" << static_cast<int>(o.pole) << ", \"" << o.tekst << "\")";
            case Rodzaj::Message:
                return os << "message(\"" << o.tekst << "\")";
            case Rodzaj::SetFocus:
                return os << "setFocus(" << static_cast<int>(o.pole) << ")";
        }
        return os;
    }
};

// A window without a toolkit: boxes in a map, every write, message and focus
// move recorded in order. Its tests read and write numbers by the window's rules.
class FakeWindow : public calculations::WindowOps {
  public:
    std::map<calculations::Box, std::string> pola;
    std::vector<Operacja> operacje;
    // Tooltips kept apart, so the recorded sequence is that of the boxes,
    // messages and focus alone.
    std::map<calculations::Box, std::string> objasnienia;

    [[nodiscard]] std::string text(calculations::Box box) const override {
        const auto it = pola.find(box);
        return it == pola.end() ? std::string{} : it->second;
    }
    void setText(calculations::Box box, std::string_view text) override {
        pola[box] = std::string(text);
        operacje.push_back(Operacja::ustaw(box, std::string(text)));
    }
    void setExplanation(calculations::Box box, std::string_view text) override {
        objasnienia[box] = std::string(text);
    }
    [[nodiscard]] static bool isNumeric(std::string_view text) {
        return numbers::zOkna(text).has_value();
    }
    [[nodiscard]] static double toDouble(std::string_view text) {
        return numbers::zOkna(text).value_or(std::numeric_limits<double>::quiet_NaN());
    }
    [[nodiscard]] static std::string format(double value, std::string_view pattern) {
        return numbers::doOkna(value, pattern);
    }
    void message(std::string_view text) override {
        operacje.push_back(Operacja::komunikat(std::string(text)));
    }
    void setFocus(calculations::Box box) override { operacje.push_back(Operacja::fokus(box)); }

    [[nodiscard]] std::vector<std::string> komunikaty() const {
        std::vector<std::string> wynik;
        for (const auto& o : operacje) {
            if (o.rodzaj == Operacja::Rodzaj::Message) wynik.push_back(o.tekst);
        }
        return wynik;
    }
};
