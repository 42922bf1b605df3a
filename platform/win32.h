#pragma once

#include <string>
#include <string_view>

// Windows speaks UTF-16; the program speaks UTF-8.
namespace platform {

// Ill-formed input becomes U+FFFD, as Windows' own conversions do.
std::wstring utf16(std::string_view utf8);
std::string utf8(std::wstring_view utf16);

}  // namespace platform
