#include "ui/menu.h"

#include "ui/error.h"
#include "ui/form.h"

namespace ui {

MenuItem::MenuItem(std::wstring name, Form& form, const Options& options)
    : Component(std::move(name)), text_(options.text), is_default_(options.is_default) {
  id_ = form.RegisterMenuItem(this);
  if (options.picture) {
    bitmap_ = options.picture->Render(16, 16);
  }
}

void MenuItem::InsertInto(HMENU menu) {
  parent_menu_ = menu;
  MENUITEMINFOW info{sizeof info};
  info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
  info.fType = MFT_STRING;
  info.wID = id_;
  info.dwTypeData = const_cast<wchar_t*>(text_.c_str());
  if (bitmap_) {
    info.fMask |= MIIM_BITMAP;
    info.hbmpItem = bitmap_.Get();
  }
  if (submenu_) {
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = submenu_;
  }
  int position = GetMenuItemCount(menu);
  if (!InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &info)) ThrowLastError(L"Cannot add the menu item " + Name());
  if (is_default_ && !SetMenuDefaultItem(menu, id_, FALSE)) ThrowLastError(L"Cannot make " + Name() + L" the default");
}

void MenuItem::Add(MenuItem& item) {
  if (!submenu_) {
    submenu_ = CreatePopupMenu();
    if (!submenu_) ThrowLastError(L"Cannot create the menu of " + Name());
    if (parent_menu_) {
      MENUITEMINFOW info{sizeof info};
      info.fMask = MIIM_SUBMENU;
      info.hSubMenu = submenu_;
      SetMenuItemInfoW(parent_menu_, id_, FALSE, &info);
    }
  }
  items_.push_back(&item);
  item.InsertInto(submenu_);
}

void MenuItem::Click() {
  if (onClick) onClick(this);
}

void Menu::Add(MenuItem& item) {
  items_.push_back(&item);
  item.InsertInto(handle_.Get());
}

MainMenu::MainMenu(std::wstring name) : Menu(std::move(name)) {
  handle_.Reset(CreateMenu());
  if (!handle_) ThrowLastError(L"Cannot create the menu " + Name());
}

PopupMenu::PopupMenu(std::wstring name, Form& form) : Menu(std::move(name)), form_(form) {
  handle_.Reset(CreatePopupMenu());
  if (!handle_) ThrowLastError(L"Cannot create the menu " + Name());
}

void PopupMenu::Popup(int x, int y) {
  HWND owner = form_.Handle();
  // A menu shown for a window that is not in the foreground would not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  TrackPopupMenuEx(Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace ui
