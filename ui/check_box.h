// A check box (the standard BUTTON control) that toggles its mark when clicked.
#pragma once

#include <string>

#include "ui/stock_control.h"

namespace ui {

class CheckBox : public StockControl {
 public:
  struct Options {
    std::wstring text;
    bool checked = false;
    COLORREF color = GetSysColor(COLOR_BTNFACE);
  };

  using StockControl::StockControl;
  void Create(WinControl& parent, RECT bounds, bool visible, const Options& options);

  bool Checked() const;
  void SetChecked(bool checked);

  // Raised after the mark has toggled, by the mouse or the Space key.
  NotifyEvent onClick;

 protected:
  bool OnCommand(WORD code) override;
};

}  // namespace ui
