#include "ui/button.h"

namespace ui {

void Button::Create(WinControl& parent, RECT bounds, bool visible, const std::wstring& caption) {
  Attach(parent, bounds, visible);
  CreateStockWindow(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, caption.c_str());
}

bool Button::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  if (onClick) onClick(this);
  return true;
}

}  // namespace ui
