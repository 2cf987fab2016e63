#include "ui/label.h"

#include "ui/handles.h"

namespace ui {
namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;

}  // namespace

void Label::Create(WinControl& parent, POINT place, bool visible, const Options& options) {
  text_ = options.text;
  color_ = options.color;
  if (options.font) SetFont(options.font);
  GraphicControl::Create(parent, RECT{place.x, place.y, place.x, place.y}, visible);
  SIZE size = TextSize();
  SetBounds(place.x, place.y, size.cx, size.cy);
}

SIZE Label::TextSize() const {
  HDC dc = GetDC(nullptr);
  SIZE size{};
  {
    SelectObjectScope select(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    RECT rect{};
    DrawTextW(dc, text_.empty() ? L" " : text_.c_str(), -1, &rect, kTextFormat | DT_CALCRECT);
    size = SIZE{text_.empty() ? 0 : rect.right - rect.left, rect.bottom - rect.top};
  }
  ReleaseDC(nullptr, dc);
  return size;
}

void Label::Paint(HDC dc) {
  SaveDcScope saved(dc);
  SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color_);
  RECT bounds = BoundsRect();
  DrawTextW(dc, text_.c_str(), -1, &bounds, kTextFormat);
}

}  // namespace ui
