#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platforma.h"

// The start of an input, looked at before converting: its encoding and the
// header row's names.
namespace batch {

// Why input that starts with `poczatek` cannot be converted (UTF-16, told by
// its byte-order mark), with how to make it readable; empty if it can.
std::string kodowanie(std::string_view poczatek);

// The first line, read ahead of converting: its bytes up to and including the
// first line end outside quotes (and the rest of that read), or all of a
// shorter input. False, with `blad`, on a read error, a line over 1 MiB or
// input that is not UTF-8.
bool czytajNaglowek(platform::Wejscie& we, std::string& linia, std::string& blad);

// The names of a header line's fields (quotes as in RFC 4180).
std::vector<std::string> nazwyKolumn(std::string_view linia, char separator);

}  // namespace batch
