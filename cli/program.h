#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "platforma.h"

namespace cli {

// Runs kalvetra-cli on `argumenty` (without the program's name) and returns
// the exit status: 0, 1 (a value refused) or 2 (a usage error). convert
// writes its file bytes to `daneBajty` and `bledyBajty`, the same places as
// `dane` and `bledy`; without them, to those streams.
int uruchom(std::span<const std::string> argumenty, std::ostream& dane, std::ostream& bledy,
            platform::Wyjscie& daneBajty, platform::Wyjscie& bledyBajty);
int uruchom(std::span<const std::string> argumenty, std::ostream& dane, std::ostream& bledy);

// The man page, in roff, from the texts of the help; `data` is its date.
std::string podrecznik(std::string_view data);

}  // namespace cli
