// A view of the shell's namespace, rooted at the Desktop folder, with the
// system's icons, navigation, context menus and in-place renaming.
//
// It is a window of its own that hosts a standard list view in the large-icon
// view, so the list view's notifications come straight to this component.
// Each item holds the PIDL of its shell item, relative to the shown folder;
// names come from the shell whenever the list view asks, icons when listed.
#pragma once

#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// An item ID list allocated by the shell, freed with it.
struct FreePidl {
  void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
};
using OwnedPidl = std::unique_ptr<ITEMIDLIST, FreePidl>;

class ShellView : public WinControl {
 public:
  struct Options {
    bool read_only = false;          // false: item names can be edited in place
    bool hide_selection = false;     // false: the selection stays visible without the focus
    bool auto_navigate = true;       // double-click: open a folder in place, or have the shell open the item
    bool auto_context_menu = true;   // the shell's own context menus on items
    bool auto_refresh = false;       // no watching of the folder for changes
  };

  using WinControl::WinControl;
  ~ShellView() override;
  void Create(WinControl& parent, RECT bounds, bool visible, const Options& options);

  // The list view that shows the items.
  HWND ListHandle() const { return list_; }
  // The shown folder's parsing name: a file-system path, or the shell's own name for a virtual folder.
  std::wstring FolderName() const;
  // The items' names as shown, in view order.
  std::vector<std::wstring> ItemNames() const;

  // Shows another folder, given by its absolute PIDL; the shown folder stays when it cannot be read.
  void BrowseTo(PCIDLIST_ABSOLUTE folder);
  // Shows the parent of the shown folder; nothing at the Desktop.
  void BrowseUp();
  // Reads the shown folder again, keeping the selected items that still exist.
  void Refresh();

  void SetFont(HFONT font) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnShowing() override;

 private:
  static PCUITEMID_CHILD ItemPidl(HWND list, int index);
  PCUITEMID_CHILD ItemPidl(int index) const { return ItemPidl(list_, index); }
  std::wstring DisplayName(PCUITEMID_CHILD item, SHGDNF flags) const;
  int IconIndex(PCUITEMID_CHILD item) const;
  SFGAOF Attributes(PCUITEMID_CHILD item, SFGAOF wanted) const;
  std::vector<int> SelectedIndexes() const;

  void ShowFolder(OwnedPidl pidl, ComPtr<IShellFolder> folder);
  bool ListNotify(NMHDR& header, LRESULT& result);
  void GetDisplayInfo(NMLVDISPINFOW& info) const;
  void Activate(int index);
  bool BeginRename(int index);
  void EndRename(int index, const wchar_t* new_name);
  HRESULT RenameInOwnFolder(PCUITEMID_CHILD item, const std::wstring& name, OwnedPidl& renamed) const;
  std::wstring ParsingNameIn(PCIDLIST_ABSOLUTE absolute) const;
  void ShowContextMenu(LPARAM screen_point);
  bool ForwardMenuMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

  Options options_;
  bool opened_ = false;  // the Desktop has been read
  HWND list_ = nullptr;
  OwnedPidl folder_pidl_;             // absolute
  ComPtr<IShellFolder> folder_;
  // The shell's context menu while it is on screen, for the menu messages it draws itself.
  ComPtr<IContextMenu2> menu2_;
  ComPtr<IContextMenu3> menu3_;
  // A refused rename, reported once the list view has finished its edit.
  std::wstring pending_error_;
};

}  // namespace ui
