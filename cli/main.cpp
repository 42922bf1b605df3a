#include <iostream>
#include <string>
#include <vector>

#include "platforma.h"
#include "program.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> argumenty(argv + (argc > 0 ? 1 : 0), argv + argc);
    // Standard output through the platform layer, which tells a failed write
    // from a reader that has gone.
    platform::BuforWyjscia bufor(platform::standardoweWyjscie());
    std::ostream dane(&bufor);
    return cli::uruchom(argumenty, dane, std::cerr, platform::standardoweWyjscie(),
                        platform::standardoweBledy());
}
