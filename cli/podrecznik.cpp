#include <iostream>

#include "program.h"

// kalvetra-cli-man DATE: the man page of kalvetra-cli on standard output.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "użycie: kalvetra-cli-man DATA\n";
        return 2;
    }
    std::cout << cli::podrecznik(argv[1]);
    std::cout.flush();
    return std::cout.good() ? 0 : 1;
}
