// Single-line text entry (the standard EDIT control).
#pragma once

#include "ui/stock_control.h"

namespace ui {

class Edit : public StockControl {
 public:
  struct Options {
    bool border = true;
  };

  using StockControl::StockControl;
  void Create(WinControl& parent, RECT bounds, bool visible, const Options& options);

  // Raised for every key pressed while the entry has the focus, before the entry handles it.
  KeyEvent onKeyDown;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace ui
