#include "ui/control.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/error.h"
#include "ui/form.h"

namespace ui {
namespace {

constexpr wchar_t kControlProperty[] = L"Tarvello.Control";
constexpr UINT_PTR kSubclassId = 1;

}  // namespace

ShiftState KeyboardShiftState() {
  ShiftState state = 0;
  if (GetKeyState(VK_SHIFT) < 0) state |= kShift;
  if (GetKeyState(VK_MENU) < 0) state |= kAlt;
  if (GetKeyState(VK_CONTROL) < 0) state |= kCtrl;
  return state;
}

ShiftState MouseShiftState(WPARAM flags) {
  ShiftState state = 0;
  if (flags & MK_SHIFT) state |= kShift;
  if (flags & MK_CONTROL) state |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) state |= kAlt;
  if (flags & MK_LBUTTON) state |= kLeftButton;
  if (flags & MK_RBUTTON) state |= kRightButton;
  if (flags & MK_MBUTTON) state |= kMiddleButton;
  return state;
}

// ---- Control ----

Form* Control::OwnerForm() const {
  const Control* control = this;
  while (control->parent_) control = control->parent_;
  return dynamic_cast<Form*>(const_cast<Control*>(control));
}

void Control::Attach(WinControl& parent, RECT bounds, bool visible) {
  parent_ = &parent;
  bounds_ = bounds;
  visible_ = visible;
  if (!font_) font_ = parent.Font();
  parent.AddChild(this);
}

void Control::SetBounds(int left, int top, int width, int height) {
  RECT old_bounds = bounds_;
  bounds_ = RECT{left, top, left + std::max(width, 0), top + std::max(height, 0)};
  if (!EqualRect(&old_bounds, &bounds_)) ApplyBounds(old_bounds);
}

void Control::SetAlign(Align align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  ApplyVisible();
}

// ---- GraphicControl ----

void GraphicControl::Create(WinControl& parent, RECT bounds, bool visible) {
  Attach(parent, bounds, visible);
  Invalidate();
}

void GraphicControl::Invalidate() const {
  if (Parent() && Parent()->Handle()) {
    RECT bounds = BoundsRect();
    InvalidateRect(Parent()->Handle(), &bounds, FALSE);
  }
}

void GraphicControl::ApplyBounds(const RECT& old_bounds) {
  if (Parent() && Parent()->Handle()) InvalidateRect(Parent()->Handle(), &old_bounds, FALSE);
  Invalidate();
}

void GraphicControl::ApplyVisible() {
  // A control that disappears leaves its area to be repainted from below, so it needs a full repaint.
  if (Parent() && Parent()->Handle()) {
    RECT bounds = BoundsRect();
    InvalidateRect(Parent()->Handle(), &bounds, FALSE);
  }
}

// ---- WinControl ----

WinControl::~WinControl() {
  if (hwnd_) DestroyWindow(hwnd_);
}

WinControl* WinControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<WinControl*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

void WinControl::AddChild(Control* child) { children_.push_back(child); }

RECT WinControl::AlignRect() const {
  RECT rect{};
  if (hwnd_) GetClientRect(hwnd_, &rect);
  return rect;
}

void WinControl::Realign() {
  RECT rest = AlignRect();
  for (Control* child : children_) {
    switch (child->GetAlign()) {
      case Align::None:
        break;
      case Align::Bottom: {
        int height = child->Height();
        child->SetBounds(rest.left, rest.bottom - height, rest.right - rest.left, height);
        rest.bottom -= height;
        break;
      }
      case Align::Client:
        child->SetBounds(rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top);
        break;
    }
  }
}

bool WinControl::CanFocus() const {
  for (const WinControl* control = this; control; control = control->Parent()) {
    if (!control->hwnd_ || !control->Visible() || !IsWindowEnabled(control->hwnd_)) return false;
  }
  return true;
}

void WinControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

void WinControl::SetFont(HFONT font) {
  Control::SetFont(font);
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void WinControl::SetText(const std::wstring& text) {
  if (hwnd_ && !SetWindowTextW(hwnd_, text.c_str())) ThrowLastError(L"Cannot set the text of " + Name());
}

std::wstring WinControl::Text() const {
  if (!hwnd_) return {};
  int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd_, text.data(), length + 1));
  return text;
}

void WinControl::RegisterOwnClass(const wchar_t* class_name, UINT class_style, HBRUSH background) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{sizeof existing};
  if (GetClassInfoExW(instance, class_name, &existing)) return;
  WNDCLASSEXW window_class{sizeof window_class};
  window_class.style = class_style;
  window_class.lpfnWndProc = &WinControl::OwnWindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = background;
  window_class.lpszClassName = class_name;
  if (!RegisterClassExW(&window_class)) ThrowLastError(std::wstring(L"Cannot register window class ") + class_name);
}

void WinControl::CreateOwnWindow(const wchar_t* class_name, DWORD style, DWORD ex_style, HWND parent_or_owner,
                                 const RECT& bounds, HMENU menu) {
  HWND hwnd = CreateWindowExW(ex_style, class_name, L"", style, bounds.left, bounds.top, bounds.right - bounds.left,
                              bounds.bottom - bounds.top, parent_or_owner, menu, GetModuleHandleW(nullptr), this);
  if (!hwnd) ThrowLastError(L"Cannot create " + Name());
}

void WinControl::CreateStockWindow(const wchar_t* class_name, DWORD style, DWORD ex_style, const wchar_t* text) {
  RECT bounds = BoundsRect();
  HWND hwnd = CreateWindowExW(ex_style, class_name, text, style | WS_CHILD | VisibleStyle(), bounds.left, bounds.top,
                              bounds.right - bounds.left, bounds.bottom - bounds.top, Parent()->Handle(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) ThrowLastError(L"Cannot create " + Name());
  hwnd_ = hwnd;
  stock_ = true;
  SetPropW(hwnd, kControlProperty, this);
  SetWindowSubclass(hwnd, &WinControl::StockSubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  // Later siblings lie above earlier ones.
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (Font()) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
}

LRESULT CALLBACK WinControl::OwnWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<WinControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<WinControl*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetPropW(hwnd, kControlProperty, self);
  }
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->Dispatch(message, wparam, lparam);
}

LRESULT CALLBACK WinControl::StockSubclassProc(HWND, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                               DWORD_PTR data) {
  return reinterpret_cast<WinControl*>(data)->Dispatch(message, wparam, lparam);
}

// The boundary between the platform and the program: nothing thrown by a
// handler goes back through the platform's frames.
LRESULT WinControl::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCDESTROY) {
    LRESULT result = DefaultHandling(message, wparam, lparam);
    Detach();
    return result;
  }
  try {
    return HandleMessage(message, wparam, lparam);
  } catch (...) {
    Application::Get().HandleException();
    return 0;
  }
}

void WinControl::Detach() {
  if (!hwnd_) return;
  RemovePropW(hwnd_, kControlProperty);
  if (stock_) {
    RemoveWindowSubclass(hwnd_, &WinControl::StockSubclassProc, kSubclassId);
  } else {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  }
  hwnd_ = nullptr;
}

LRESULT WinControl::DefaultHandling(UINT message, WPARAM wparam, LPARAM lparam) {
  return stock_ ? DefSubclassProc(hwnd_, message, wparam, lparam) : DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT WinControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (lparam) {
        WinControl* child = FromHandle(reinterpret_cast<HWND>(lparam));
        if (child && child->OnCommand(HIWORD(wparam))) return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (WinControl* child = FromHandle(reinterpret_cast<HWND>(lparam))) {
        if (HBRUSH brush = child->OnControlColor(reinterpret_cast<HDC>(wparam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      WinControl* child = FromHandle(item.hwndItem);
      if (child && child->OnDrawItem(item)) return TRUE;
      break;
    }
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lparam);
      LRESULT result = 0;
      WinControl* child = FromHandle(header.hwndFrom);
      if (child && child != this && child->OnNotify(header, result)) return result;
      break;
    }
    case WM_SIZE:
      if (!stock_) Realign();
      break;
  }
  return DefaultHandling(message, wparam, lparam);
}

void WinControl::ApplyBounds(const RECT&) {
  if (!hwnd_) return;
  RECT bounds = BoundsRect();
  SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinControl::ApplyVisible() {
  if (!hwnd_) return;
  if (!Visible()) {
    // Keys must not go on reaching a control that can no longer be seen.
    HWND focus = GetFocus();
    if (focus == hwnd_ || IsChild(hwnd_, focus)) ::SetFocus(GetAncestor(hwnd_, GA_ROOT));
  }
  // Showing and hiding never restack or activate anything.
  UINT show = Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, show | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (Visible()) NotifyShowing();
}

void WinControl::NotifyShowing() {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
  OnShowing();
  for (Control* child : children_) {
    if (auto* windowed = dynamic_cast<WinControl*>(child); windowed && windowed->Visible()) windowed->NotifyShowing();
  }
}

}  // namespace ui
