#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The calculations and the window description keep their texts in UTF-8;
// the wide-character API takes UTF-16.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// A window's whole text.
std::wstring windowText(HWND window);
