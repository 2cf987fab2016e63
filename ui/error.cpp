#include "ui/error.h"

#include <new>

#include "ui/text.h"

namespace ui {

Error::Error(std::wstring message) : message_(std::move(message)), utf8_(Narrow(message_)) {}

std::wstring SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length && buffer) text.assign(buffer, length);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) {
    wchar_t hex[16];
    wsprintfW(hex, L"0x%08X", static_cast<unsigned>(code));
    text = std::wstring(L"System error ") + hex;
  }
  return text;
}

void ThrowSystemError(std::wstring_view what, DWORD code) {
  throw Error(std::wstring(what) + L": " + SystemMessage(code));
}

void ThrowLastError(std::wstring_view what) { ThrowSystemError(what, GetLastError()); }

void ThrowIfFailed(HRESULT result, std::wstring_view what) {
  if (FAILED(result)) ThrowSystemError(what, static_cast<DWORD>(result));
}

std::wstring CurrentExceptionText() {
  try {
    throw;
  } catch (const Error& error) {
    return error.Message();
  } catch (const std::bad_alloc&) {
    return L"Out of memory";
  } catch (const std::exception& error) {
    std::wstring text = Widen(error.what());
    return text.empty() ? L"Unknown error" : text;
  } catch (...) {
    return L"Unknown error";
  }
}

}  // namespace ui
