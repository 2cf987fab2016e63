#include "ui/check_box.h"

namespace ui {

void CheckBox::Create(WinControl& parent, RECT bounds, bool visible, const Options& options) {
  SetColor(options.color);
  Attach(parent, bounds, visible);
  CreateStockWindow(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, options.text.c_str());
  SetChecked(options.checked);
}

bool CheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  if (onClick) onClick(this);
  return true;
}

}  // namespace ui
