#include <iostream>
#include <string>
#include <vector>

#include "platforma.h"
#include "program.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> argumenty(argv + (argc > 0 ? 1 : 0), argv + argc);
    return cli::uruchom(argumenty, std::cout, std::cerr, platforma::standardoweWyjscie(),
                        platforma::standardoweBledy());
}
