// A push button (the standard BUTTON control).
#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

class Button : public WinControl {
 public:
  using WinControl::WinControl;
  void Create(WinControl& parent, RECT bounds, bool visible, const std::wstring& caption);

  NotifyEvent onClick;

 protected:
  bool OnCommand(WORD code) override;
};

}  // namespace ui
