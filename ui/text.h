// Conversions between the UTF-8 of data files and the UTF-16 of the W APIs.
#pragma once

#include <string>
#include <string_view>

namespace ui {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace ui
