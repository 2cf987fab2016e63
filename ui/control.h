// Visual elements: those drawn on their parent's surface (GraphicControl) and
// those that are child windows of their own (WinControl).
#pragma once

#include <vector>

#include "ui/component.h"
#include "ui/events.h"
#include "ui/win.h"

namespace ui {

class WinControl;
class Form;
class PopupMenu;

enum class Align { None, Client, Bottom };

class Control : public Component {
 public:
  using Component::Component;

  WinControl* Parent() const { return parent_; }
  Form* OwnerForm() const;

  // Place and size in the parent's client coordinates.
  RECT BoundsRect() const { return bounds_; }
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }

  Align GetAlign() const { return align_; }
  void SetAlign(Align align);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  HFONT Font() const { return font_; }
  virtual void SetFont(HFONT font) { font_ = font; }

  PopupMenu* GetPopupMenu() const { return popup_; }
  void SetPopupMenu(PopupMenu* popup) { popup_ = popup; }

  virtual bool IsWindowed() const { return false; }

 protected:
  // Records the parent and the initial place; windowed controls create their window afterwards.
  void Attach(WinControl& parent, RECT bounds, bool visible);
  virtual void ApplyBounds(const RECT& old_bounds) = 0;
  virtual void ApplyVisible() = 0;

 private:
  WinControl* parent_ = nullptr;
  RECT bounds_{};
  Align align_ = Align::None;
  bool visible_ = true;
  HFONT font_ = nullptr;
  PopupMenu* popup_ = nullptr;
};

// Drawn by its parent in the parent's paint; receives mouse events by hit-testing there.
class GraphicControl : public Control {
 public:
  using Control::Control;

  void Create(WinControl& parent, RECT bounds, bool visible);
  // Paints into the parent's device context, in the parent's coordinates.
  virtual void Paint(HDC dc) = 0;
  // True when painting covers every pixel of the bounds, so the parent need not paint below.
  virtual bool IsOpaque() const { return false; }
  void Invalidate() const;

  MouseEvent onMouseDown;
  MouseEvent onMouseUp;
  MouseMoveEvent onMouseMove;
  NotifyEvent onClick;

 protected:
  void ApplyBounds(const RECT& old_bounds) override;
  void ApplyVisible() override;
};

// A control that is a real child window and may hold other controls.
class WinControl : public Control {
 public:
  using Control::Control;
  ~WinControl() override;

  HWND Handle() const { return hwnd_; }
  bool IsWindowed() const override { return true; }
  static WinControl* FromHandle(HWND hwnd);

  const std::vector<Control*>& Children() const { return children_; }
  // The rectangle that aligned children share: the client area less any border.
  virtual RECT AlignRect() const;
  void Realign();

  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int order) { tab_order_ = order; }
  bool CanFocus() const;
  void SetFocus();
  bool Focused() const { return hwnd_ && GetFocus() == hwnd_; }

  void SetFont(HFONT font) override;
  void SetText(const std::wstring& text);
  std::wstring Text() const;

  void AddChild(Control* child);

 protected:
  // Creates a window of one of the program's own classes (its messages come to HandleMessage).
  void CreateOwnWindow(const wchar_t* class_name, DWORD style, DWORD ex_style, HWND parent_or_owner,
                       const RECT& bounds, HMENU menu = nullptr);
  // Creates a standard control and subclasses it (its messages come to HandleMessage first).
  void CreateStockWindow(const wchar_t* class_name, DWORD style, DWORD ex_style, const wchar_t* text);
  static void RegisterOwnClass(const wchar_t* class_name, UINT class_style, HBRUSH background);

  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultHandling(UINT message, WPARAM wparam, LPARAM lparam);

  // Notifications the parent passes back to the control they concern.
  virtual bool OnCommand(WORD /*code*/) { return false; }
  virtual HBRUSH OnControlColor(HDC /*dc*/) { return nullptr; }
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  // The control has come on screen: it and every parent are visible now.
  virtual void OnShowing() {}

  void ApplyBounds(const RECT& old_bounds) override;
  void ApplyVisible() override;
  DWORD VisibleStyle() const { return Visible() ? WS_VISIBLE : 0; }

 private:
  static LRESULT CALLBACK OwnWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK StockSubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR id, DWORD_PTR data);
  LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);
  void Detach();
  void NotifyShowing();

  HWND hwnd_ = nullptr;
  bool stock_ = false;
  int tab_order_ = -1;
  std::vector<Control*> children_;
};

}  // namespace ui
