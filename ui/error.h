// Failures of the platform, carried as exceptions with a text for the user.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "ui/win.h"

namespace ui {

class Error : public std::exception {
 public:
  explicit Error(std::wstring message);
  const std::wstring& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::wstring message_;
  std::string utf8_;
};

// The system's own text for an error code, without the trailing line break.
std::wstring SystemMessage(DWORD code);

[[noreturn]] void ThrowLastError(std::wstring_view what);
[[noreturn]] void ThrowSystemError(std::wstring_view what, DWORD code);
void ThrowIfFailed(HRESULT result, std::wstring_view what);

// The text of whatever exception is being handled, for the error box.
std::wstring CurrentExceptionText();

}  // namespace ui
