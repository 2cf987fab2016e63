#include "ui/stock_control.h"

namespace ui {

void StockControl::SetColor(COLORREF color) {
  color_ = color;
  brush_.Reset(CreateSolidBrush(color));
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

HBRUSH StockControl::OnControlColor(HDC dc) {
  if (!brush_) brush_.Reset(CreateSolidBrush(color_));
  SetBkColor(dc, color_);
  return brush_.Get();
}

}  // namespace ui
