#include "ui/memo.h"

#include "ui/error.h"

namespace ui {

void Memo::Create(WinControl& parent, RECT bounds, bool visible, const Options& options) {
  Attach(parent, bounds, visible);
  DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP | (options.read_only ? ES_READONLY : 0);
  CreateStockWindow(L"EDIT", style, options.border ? WS_EX_CLIENTEDGE : 0, L"");
  // The default limit (32K characters) would silently drop lines; lift it to the maximum.
  SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
}

void Memo::AppendLine(const std::wstring& line) {
  std::wstring text = line + L"\r\n";
  int length = GetWindowTextLengthW(Handle());
  SendMessageW(Handle(), EM_SETSEL, length, length);
  SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

int Memo::LineCount() const {
  // The text ends with a line break, which leaves an empty last line that is no line of the log.
  int count = static_cast<int>(SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0));
  return Line(count - 1).empty() ? count - 1 : count;
}

std::wstring Memo::Line(int index) const {
  int start = static_cast<int>(SendMessageW(Handle(), EM_LINEINDEX, index, 0));
  if (start < 0) return {};
  int length = static_cast<int>(SendMessageW(Handle(), EM_LINELENGTH, start, 0));
  std::wstring line(static_cast<size_t>(length) + 2, L'\0');
  *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(line.size());
  int copied = static_cast<int>(SendMessageW(Handle(), EM_GETLINE, index, reinterpret_cast<LPARAM>(line.data())));
  line.resize(copied);
  return line;
}

}  // namespace ui
