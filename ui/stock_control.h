// Shared part of the controls built on the platform's standard window classes:
// a background colour answered through the parent's colour notifications.
#pragma once

#include "ui/control.h"
#include "ui/handles.h"

namespace ui {

class StockControl : public WinControl {
 public:
  using WinControl::WinControl;

  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);

 protected:
  HBRUSH OnControlColor(HDC dc) override;

 private:
  COLORREF color_ = GetSysColor(COLOR_WINDOW);
  OwnedBrush brush_;
};

}  // namespace ui
