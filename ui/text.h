// Conversions between the UTF-8 of data files and the UTF-16 of the W APIs.
#pragma once

#include <string>
#include <string_view>

namespace ui {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The window-free code speaks char16_t; on Windows wchar_t is the same UTF-16.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected");
inline std::u16string_view AsUtf16(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
inline std::wstring FromUtf16(std::u16string_view text) {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

}  // namespace ui
