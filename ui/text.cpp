#include "ui/text.h"

#include <climits>

#include "ui/win.h"

namespace ui {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring result(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(), size);
  return result;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty() || utf16.size() > INT_MAX) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), result.data(), size, nullptr, nullptr);
  return result;
}

}  // namespace ui
