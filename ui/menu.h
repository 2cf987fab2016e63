// The menu bar, context menus and their items, with optional 16x16 pictures.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/events.h"
#include "ui/handles.h"
#include "ui/image.h"

namespace ui {

class Form;

class MenuItem : public Component {
 public:
  struct Options {
    std::wstring text;
    std::shared_ptr<const Image> picture;
    bool is_default = false;
  };

  MenuItem(std::wstring name, Form& form, const Options& options);

  const std::wstring& Caption() const { return text_; }
  UINT Command() const { return id_; }
  bool IsDefault() const { return is_default_; }
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  const std::vector<MenuItem*>& Items() const { return items_; }
  // The drop-down menu of an item that has items of its own.
  HMENU SubmenuHandle() const { return submenu_; }

  void Add(MenuItem& item);
  void Click();

  NotifyEvent onClick;

 private:
  friend class Menu;
  void InsertInto(HMENU menu);

  std::wstring text_;
  OwnedBitmap bitmap_;
  bool is_default_ = false;
  UINT id_ = 0;
  HMENU parent_menu_ = nullptr;
  HMENU submenu_ = nullptr;  // owned by the menu it hangs in
  std::vector<MenuItem*> items_;
};

class Menu : public Component {
 public:
  using Component::Component;
  HMENU Handle() const { return handle_.Get(); }
  const std::vector<MenuItem*>& Items() const { return items_; }
  void Add(MenuItem& item);

 protected:
  OwnedMenu handle_;  // destroying it destroys the drop-down menus too

 private:
  std::vector<MenuItem*> items_;
};

class MainMenu : public Menu {
 public:
  explicit MainMenu(std::wstring name);
};

class PopupMenu : public Menu {
 public:
  PopupMenu(std::wstring name, Form& form);
  // Shows the menu at a point on the screen; a chosen item clicks through the form.
  void Popup(int x, int y);

 private:
  Form& form_;
};

}  // namespace ui
