// Multi-line text (the standard EDIT control) that lines are appended to.
#pragma once

#include <string>

#include "ui/stock_control.h"

namespace ui {

class Memo : public StockControl {
 public:
  struct Options {
    bool border = true;
    bool read_only = false;
  };

  using StockControl::StockControl;
  void Create(WinControl& parent, RECT bounds, bool visible, const Options& options);

  // Adds a line at the end without rewriting what is already there.
  void AppendLine(const std::wstring& line);
  int LineCount() const;
  std::wstring Line(int index) const;
};

}  // namespace ui
