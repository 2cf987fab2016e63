// A plain surface with an optional raised bevel; it paints the pictures and
// labels placed on it and passes the mouse to them.
#pragma once

#include "ui/control.h"
#include "ui/handles.h"

namespace ui {

class Panel : public WinControl {
 public:
  struct Options {
    COLORREF color = RGB(255, 255, 255);
    bool raised_bevel = true;
  };

  using WinControl::WinControl;
  void Create(WinControl& parent, RECT bounds, bool visible, const Options& options);

  RECT AlignRect() const override;
  int BevelWidth() const { return raised_bevel_ ? 1 : 0; }
  COLORREF Color() const { return color_; }

  // A left click on the panel's own surface, not on an element drawn on it.
  NotifyEvent onClick;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc, const RECT& update);
  GraphicControl* GraphicAt(POINT point) const;
  void MouseButtonDown(MouseButton button, WPARAM flags, POINT point);
  void MouseButtonUp(MouseButton button, WPARAM flags, POINT point);
  void MouseMove(WPARAM flags, POINT point);
  bool ContextMenu(HWND clicked, LPARAM screen_point);

  OwnedBrush brush_;
  COLORREF color_ = RGB(255, 255, 255);
  bool raised_bevel_ = true;
  // The element that holds the mouse while the left button is down, or the
  // panel itself (null with left_down_ set).
  GraphicControl* captured_ = nullptr;
  bool left_down_ = false;
};

}  // namespace ui
