// What the native calculations do for one case, as the page's steps (JSON on
// stdout): web_oracle ITEM BUTTON TEXT... selects menu item ITEM, types the
// TEXTs into the boxes in the calculations' order and presses BUTTON.
// "describe" prints the form instead, "keys" what the key rule makes of each
// ASCII character.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "strona.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "describe") {
        std::puts(web::describe().c_str());
        return 0;
    }
    if (argc == 2 && std::string_view(argv[1]) == "keys") {
        std::string out = "[";
        for (std::int16_t c = 0; c < 128; ++c) out += (c ? "," : "") + std::to_string(web::key(c));
        std::puts((out + "]").c_str());
        return 0;
    }
    if (argc < 3) {
        std::fputs("web_oracle ITEM BUTTON [TEXT...]\n", stderr);
        return 2;
    }
    web::Strona strona;
    std::string out = "{\"select\":" + strona.select(std::strtoul(argv[1], nullptr, 10));
    for (int i = 3; i < argc; ++i) strona.setBox(static_cast<std::size_t>(i - 3), argv[i]);
    out += ",\"click\":" + strona.click(argv[2]) + "}";
    std::puts(out.c_str());
    return 0;
}
