#include "ui/panel.h"

#include <windowsx.h>

#include "ui/form.h"
#include "ui/menu.h"

namespace ui {
namespace {

constexpr wchar_t kPanelClass[] = L"TarvelloPanel";

POINT PointFrom(LPARAM lparam) { return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

}  // namespace

void Panel::Create(WinControl& parent, RECT bounds, bool visible, const Options& options) {
  RegisterOwnClass(kPanelClass, CS_DBLCLKS, nullptr);
  color_ = options.color;
  raised_bevel_ = options.raised_bevel;
  brush_.Reset(CreateSolidBrush(color_));
  Attach(parent, bounds, visible);
  CreateOwnWindow(kPanelClass, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | VisibleStyle(), WS_EX_CONTROLPARENT,
                  parent.Handle(), bounds);
  // Later siblings lie above earlier ones.
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

RECT Panel::AlignRect() const {
  RECT rect = WinControl::AlignRect();
  InflateRect(&rect, -BevelWidth(), -BevelWidth());
  return rect;
}

void Panel::Paint(HDC dc, const RECT& update) {
  RECT client;
  GetClientRect(Handle(), &client);
  {
    // Fill only what opaque elements will not cover anyway.
    SaveDcScope saved(dc);
    for (Control* child : Children()) {
      auto* graphic = dynamic_cast<GraphicControl*>(child);
      if (graphic && graphic->Visible() && graphic->IsOpaque()) {
        RECT bounds = graphic->BoundsRect();
        ExcludeClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
      }
    }
    FillRect(dc, &update, brush_.Get());
    if (raised_bevel_) DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
  }
  for (Control* child : Children()) {
    auto* graphic = dynamic_cast<GraphicControl*>(child);
    if (!graphic || !graphic->Visible()) continue;
    RECT bounds = graphic->BoundsRect();
    RECT overlap;
    if (!IntersectRect(&overlap, &bounds, &update)) continue;
    SaveDcScope saved(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    graphic->Paint(dc);
  }
}

// The topmost visible element under the point; later elements lie above earlier ones.
GraphicControl* Panel::GraphicAt(POINT point) const {
  const auto& children = Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    auto* graphic = dynamic_cast<GraphicControl*>(*it);
    if (!graphic || !graphic->Visible()) continue;
    RECT bounds = graphic->BoundsRect();
    if (PtInRect(&bounds, point)) return graphic;
  }
  return nullptr;
}

void Panel::MouseButtonDown(MouseButton button, WPARAM flags, POINT point) {
  GraphicControl* target = GraphicAt(point);
  if (button == MouseButton::Left) {
    // Holding the mouse lets the pressed element see moves and the release outside itself.
    SetCapture(Handle());
    captured_ = target;
    left_down_ = true;
  }
  if (target && target->onMouseDown) {
    target->onMouseDown(target, button, MouseShiftState(flags), point.x - target->Left(), point.y - target->Top());
  }
}

void Panel::MouseButtonUp(MouseButton button, WPARAM flags, POINT point) {
  GraphicControl* target = GraphicAt(point);
  bool was_left_press = button == MouseButton::Left && left_down_;
  GraphicControl* pressed = captured_;
  if (was_left_press) {
    target = pressed;
    left_down_ = false;
    captured_ = nullptr;
    ReleaseCapture();
  }
  if (target && target->onMouseUp) {
    target->onMouseUp(target, button, MouseShiftState(flags), point.x - target->Left(), point.y - target->Top());
  }
  if (!was_left_press) return;
  RECT client;
  GetClientRect(Handle(), &client);
  bool released_on_pressed = PtInRect(&client, point) && GraphicAt(point) == pressed;
  if (!released_on_pressed) return;
  if (pressed) {
    if (pressed->onClick) pressed->onClick(pressed);
  } else if (onClick) {
    onClick(this);
  }
}

void Panel::MouseMove(WPARAM flags, POINT point) {
  GraphicControl* target = left_down_ ? captured_ : GraphicAt(point);
  if (target && target->onMouseMove) {
    target->onMouseMove(target, MouseShiftState(flags), point.x - target->Left(), point.y - target->Top());
  }
}

bool Panel::ContextMenu(HWND clicked, LPARAM screen_point) {
  // Only a click on this panel's own surface; one passed up from a child window is not ours.
  if (clicked != Handle() || screen_point == -1) return false;
  POINT point = PointFrom(screen_point);
  POINT client = point;
  ScreenToClient(Handle(), &client);
  GraphicControl* target = GraphicAt(client);
  PopupMenu* menu = target ? target->GetPopupMenu() : GetPopupMenu();
  if (!menu) return false;
  menu->Popup(point.x, point.y);
  return true;
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT: {
      // Ends the paint even when an element fails, so the failure is reported once, not on every repaint.
      struct PaintScope {
        HWND hwnd;
        PAINTSTRUCT paint;
        explicit PaintScope(HWND window) : hwnd(window) { BeginPaint(hwnd, &paint); }
        ~PaintScope() { EndPaint(hwnd, &paint); }
      } scope(Handle());
      Paint(scope.paint.hdc, scope.paint.rcPaint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(Handle(), &client);
      Paint(reinterpret_cast<HDC>(wparam), client);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseButtonDown(MouseButton::Left, wparam, PointFrom(lparam));
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseButtonDown(MouseButton::Right, wparam, PointFrom(lparam));
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MouseButtonDown(MouseButton::Middle, wparam, PointFrom(lparam));
      return 0;
    case WM_LBUTTONUP:
      MouseButtonUp(MouseButton::Left, wparam, PointFrom(lparam));
      return 0;
    case WM_RBUTTONUP:
      MouseButtonUp(MouseButton::Right, wparam, PointFrom(lparam));
      break;  // the default handling raises WM_CONTEXTMENU after the release
    case WM_MBUTTONUP:
      MouseButtonUp(MouseButton::Middle, wparam, PointFrom(lparam));
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(wparam, PointFrom(lparam));
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != Handle()) {
        left_down_ = false;
        captured_ = nullptr;
      }
      break;
    case WM_CONTEXTMENU:
      if (ContextMenu(reinterpret_cast<HWND>(wparam), lparam)) return 0;
      break;
  }
  return WinControl::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
