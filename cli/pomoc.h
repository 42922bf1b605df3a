#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <string_view>

// The help and the man page of kalvetra-cli, both from the texts the
// subcommands register with CLI11: what one says, the other says too.
namespace cli {

inline constexpr std::size_t kSzerokosc = 80;  // columns of the help

// CLI11's help with every description wrapped at kSzerokosc columns.
class Pomoc final : public CLI::Formatter {
  public:
    std::string make_option_desc(const CLI::Option* opt) const override;
    std::string make_subcommand(const CLI::App* sub) const override;
    std::string make_description(const CLI::App* app) const override;
    std::string make_footer(const CLI::App* app) const override;
};

// `tekst` broken into lines of at most `szerokosc` characters (not bytes)
// at blanks; a '\n' in it starts a new line.
std::string zawin(std::string_view tekst, std::size_t szerokosc);

// The man page (roff) of `app` with every subcommand registered.
std::string stronaPodrecznika(const CLI::App& app, std::string_view data, std::string_view wersja);

}  // namespace cli
