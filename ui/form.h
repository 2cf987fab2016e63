// A top-level window that owns every element placed on it.
#pragma once

#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "ui/control.h"
#include "ui/handles.h"

namespace ui {

class MainMenu;
class MenuItem;

class Form : public WinControl {
 public:
  explicit Form(std::wstring name);
  ~Form() override;

  // Creates the window: frameless, owned by the application window, hidden
  // until Show; sized to the primary screen's work area when asked to fill it.
  void CreateForm(bool fill_work_area, COLORREF color, HFONT font);
  void SetMainMenu(MainMenu* menu);
  MainMenu* GetMainMenu() const { return main_menu_; }
  void ShowForm();
  // Closes the window; closing the main form ends the application's loop.
  void Close();

  // The form owns its components; they live as long as it does.
  template <class T>
  T* Own(std::unique_ptr<T> component) {
    T* raw = component.get();
    components_.push_back(std::move(component));
    return raw;
  }
  Component* FindComponent(const std::wstring& name) const;

  HFONT FontFor(const std::wstring& face, int pixel_height, bool cyrillic);
  UINT RegisterMenuItem(MenuItem* item);
  void ClickMenuItem(UINT id);

  static Form* FromChild(HWND hwnd);
  // Moves the focus to the next (or, with Shift, the previous) control in tab order.
  bool HandleTabKey(HWND focus);
  std::vector<WinControl*> TabStops() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void FitWorkArea();

  std::vector<std::unique_ptr<Component>> components_;
  std::map<std::tuple<std::wstring, int, bool>, OwnedFont> fonts_;
  std::map<UINT, MenuItem*> menu_items_;
  OwnedBrush background_;
  MainMenu* main_menu_ = nullptr;
  HWND last_focus_ = nullptr;
  bool fill_work_area_ = false;
  bool destroying_ = false;
};

}  // namespace ui
