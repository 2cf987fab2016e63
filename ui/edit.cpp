#include "ui/edit.h"

namespace ui {

void Edit::Create(WinControl& parent, RECT bounds, bool visible, const Options& options) {
  Attach(parent, bounds, visible);
  CreateStockWindow(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, options.border ? WS_EX_CLIENTEDGE : 0, L"");
}

LRESULT Edit::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (onKeyDown) {
        WORD key = static_cast<WORD>(wparam);
        onKeyDown(this, key, KeyboardShiftState());
        // The handler may have closed the window this entry lives in.
        if (key == 0 || !Handle()) return 0;
        wparam = key;
      }
      break;
    case WM_CHAR:
      // A single-line entry has no use for line breaks; without this, Enter beeps.
      if (wparam == L'\r' || wparam == L'\n') return 0;
      break;
  }
  return StockControl::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
