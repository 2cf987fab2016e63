// A line of text drawn on its parent's surface; sized to its text.
#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

class Label : public GraphicControl {
 public:
  struct Options {
    std::wstring text;
    HFONT font = nullptr;
    COLORREF color = RGB(0, 0, 0);
  };

  using GraphicControl::GraphicControl;
  void Create(WinControl& parent, POINT place, bool visible, const Options& options);

  const std::wstring& Caption() const { return text_; }
  COLORREF TextColor() const { return color_; }

  void Paint(HDC dc) override;

 private:
  SIZE TextSize() const;

  std::wstring text_;
  COLORREF color_ = RGB(0, 0, 0);
};

}  // namespace ui
