#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as the window reads and writes them: Polish rules (decimal comma,
// a no-break space or a space between groups of three digits), whatever the
// system's locale. Texts are UTF-8.
namespace numbers {

// The box's text as a finite number, or nothing when it is not one.
std::optional<double> zOkna(std::string_view tekst);

// x by a digit pattern such as "#####0.0000": no grouping, decimal comma,
// exactly the pattern's decimals, halves rounded away from zero as dopisz
// does, never "-0".
std::string doOkna(double x, std::string_view wzorzec);

}  // namespace numbers
