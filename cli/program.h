#pragma once

#include <iosfwd>
#include <span>
#include <string>

#include "platforma.h"

namespace cli {

inline constexpr const char* kNazwaProgramu = "kalvetra-cli";

// Runs kalvetra-cli on `argumenty` (without the program's name) and returns
// the exit status: 0, 1 (a value refused) or 2 (a usage error). convert
// writes its file bytes to `daneBajty` and `bledyBajty`, the same places as
// `dane` and `bledy`; without them, to those streams.
int uruchom(std::span<const std::string> argumenty, std::ostream& dane, std::ostream& bledy,
            platforma::Wyjscie& daneBajty, platforma::Wyjscie& bledyBajty);
int uruchom(std::span<const std::string> argumenty, std::ostream& dane, std::ostream& bledy);

}  // namespace cli
