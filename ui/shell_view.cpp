#include "ui/shell_view.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/error.h"
#include "ui/handles.h"

namespace ui {
namespace {

constexpr wchar_t kShellViewClass[] = L"TarvelloShellView";
constexpr UINT_PTR kListId = 1;
// Work done after the list view has finished the notification that asked for it.
constexpr UINT kActivateItem = WM_APP + 1;
constexpr UINT kReportRefusal = WM_APP + 2;
constexpr UINT kRefreshView = WM_APP + 3;
// Command range handed to the shell's context menus.
constexpr UINT kFirstMenuCommand = 1;
constexpr UINT kLastMenuCommand = 0x7FFF;
// Characters no file-system name may hold.
constexpr wchar_t kInvalidNameCharacters[] = L"\\/:*?\"<>|";

const HRESULT kCancelled = HRESULT_FROM_WIN32(ERROR_CANCELLED);

std::wstring TakeString(STRRET& value, PCUITEMID_CHILD item) {
  wchar_t* text = nullptr;
  if (FAILED(StrRetToStrW(&value, item, &text)) || !text) return {};
  std::wstring result(text);
  CoTaskMemFree(text);
  return result;
}

OwnedPidl Combine(PCIDLIST_ABSOLUTE folder, PCUITEMID_CHILD item) {
  OwnedPidl combined(ILCombine(folder, item));
  if (!combined) throw std::bad_alloc();
  return combined;
}

int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM folder) {
  HRESULT result = reinterpret_cast<IShellFolder*>(folder)->CompareIDs(0, reinterpret_cast<PCUIDLIST_RELATIVE>(first),
                                                                        reinterpret_cast<PCUIDLIST_RELATIVE>(second));
  return FAILED(result) ? 0 : static_cast<short>(HRESULT_CODE(result));
}

// Stops the list view from repainting for one scope, so a refill shows at once.
class NoRedrawScope {
 public:
  explicit NoRedrawScope(HWND hwnd) : hwnd_(hwnd) { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
  NoRedrawScope(const NoRedrawScope&) = delete;
  NoRedrawScope& operator=(const NoRedrawScope&) = delete;
  ~NoRedrawScope() {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

 private:
  HWND hwnd_;
};

}  // namespace

ShellView::~ShellView() {
  // Destroyed here, while this class still handles the messages: the list view
  // hands back every item's PIDL as it goes.
  if (Handle()) DestroyWindow(Handle());
}

void ShellView::Create(WinControl& parent, RECT bounds, bool visible, const Options& options) {
  // The view shows what was there when a folder was opened; it does not watch folders.
  if (options.auto_refresh) throw Error(Name() + L": automatic refresh is not offered");
  RegisterOwnClass(kShellViewClass, 0, nullptr);
  options_ = options;
  Attach(parent, bounds, visible);
  CreateOwnWindow(kShellViewClass, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | VisibleStyle(),
                  WS_EX_CONTROLPARENT, parent.Handle(), bounds);
  // Later siblings lie above earlier ones.
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | LVS_ICON | LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS;
  if (!options.read_only) style |= LVS_EDITLABELS;
  if (!options.hide_selection) style |= LVS_SHOWSELALWAYS;
  RECT client;
  GetClientRect(Handle(), &client);
  list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, 0, 0, client.right, client.bottom, Handle(),
                          reinterpret_cast<HMENU>(kListId), GetModuleHandleW(nullptr), nullptr);
  if (!list_) ThrowLastError(L"Cannot create " + Name());
  if (Font()) SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  if (IsWindowVisible(Handle())) OnShowing();
}

// The shell and its icons are asked for only when the view first comes on
// screen, so a desktop that never shows the file manager never pays for them.
void ShellView::OnShowing() {
  if (opened_) return;
  opened_ = true;
  OwnedPidl desktop;
  {
    PIDLIST_ABSOLUTE pidl = nullptr;
    ThrowIfFailed(SHGetFolderLocation(nullptr, CSIDL_DESKTOP, nullptr, 0, &pidl), L"Cannot find the Desktop folder");
    desktop.reset(pidl);
  }
  // The system's image lists are shared by every program: the view shows them, never destroys them.
  SHFILEINFOW info{};
  auto large = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(reinterpret_cast<const wchar_t*>(desktop.get()), 0, &info,
                                                           sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
  auto small = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(reinterpret_cast<const wchar_t*>(desktop.get()), 0, &info,
                                                           sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (!large) throw Error(L"Cannot get the system's icons for " + Name());
  ListView_SetImageList(list_, large, LVSIL_NORMAL);
  if (small) ListView_SetImageList(list_, small, LVSIL_SMALL);

  ComPtr<IShellFolder> desktop_folder;
  ThrowIfFailed(SHGetDesktopFolder(&desktop_folder), L"Cannot open the Desktop folder");
  ShowFolder(std::move(desktop), std::move(desktop_folder));
}

void ShellView::SetFont(HFONT font) {
  WinControl::SetFont(font);
  if (list_) SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// ---- What is shown ----

PCUITEMID_CHILD ShellView::ItemPidl(HWND list, int index) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!list || !ListView_GetItem(list, &item)) return nullptr;
  return reinterpret_cast<PCUITEMID_CHILD>(item.lParam);
}

std::wstring ShellView::DisplayName(PCUITEMID_CHILD item, SHGDNF flags) const {
  STRRET name{};
  if (!folder_ || !item || FAILED(folder_->GetDisplayNameOf(item, flags, &name))) return {};
  return TakeString(name, item);
}

SFGAOF ShellView::Attributes(PCUITEMID_CHILD item, SFGAOF wanted) const {
  SFGAOF attributes = wanted;
  if (!folder_ || !item || FAILED(folder_->GetAttributesOf(1, &item, &attributes))) return 0;
  return attributes & wanted;
}

// The item's place in the system's large icons; read once, when the item is listed.
int ShellView::IconIndex(PCUITEMID_CHILD item) const {
  OwnedPidl absolute(ILCombine(folder_pidl_.get(), item));
  SHFILEINFOW file{};
  if (absolute && SHGetFileInfoW(reinterpret_cast<const wchar_t*>(absolute.get()), 0, &file, sizeof file,
                                 SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_LARGEICON)) {
    return file.iIcon;
  }
  return 0;
}

std::vector<int> ShellView::SelectedIndexes() const {
  std::vector<int> indexes;
  for (int index = ListView_GetNextItem(list_, -1, LVNI_SELECTED); index >= 0;
       index = ListView_GetNextItem(list_, index, LVNI_SELECTED)) {
    indexes.push_back(index);
  }
  return indexes;
}

std::wstring ShellView::FolderName() const {
  wchar_t* name = nullptr;
  if (!folder_pidl_ || FAILED(SHGetNameFromIDList(folder_pidl_.get(), SIGDN_DESKTOPABSOLUTEPARSING, &name))) return {};
  std::wstring result(name);
  CoTaskMemFree(name);
  return result;
}

std::vector<std::wstring> ShellView::ItemNames() const {
  std::vector<std::wstring> names;
  int count = list_ ? ListView_GetItemCount(list_) : 0;
  for (int index = 0; index < count; ++index) {
    // Through the list view, so the names are the ones it shows.
    wchar_t text[MAX_PATH] = L"";
    ListView_GetItemText(list_, index, 0, text, MAX_PATH);
    names.emplace_back(text);
  }
  return names;
}

// ---- Navigation ----

// Reads the whole folder before touching the list, so a folder that cannot be
// read leaves the shown one as it was.
void ShellView::ShowFolder(OwnedPidl pidl, ComPtr<IShellFolder> folder) {
  ComPtr<IEnumIDList> enumerator;
  HRESULT result = folder->EnumObjects(Handle(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &enumerator);
  if (result == kCancelled) return;  // the shell has already told the user
  if (FAILED(result)) {
    wchar_t* name = nullptr;
    std::wstring shown = SUCCEEDED(SHGetNameFromIDList(pidl.get(), SIGDN_NORMALDISPLAY, &name)) ? name : L"";
    CoTaskMemFree(name);
    ThrowSystemError(L"Cannot read the folder \"" + shown + L"\"", static_cast<DWORD>(result));
  }
  std::vector<OwnedPidl> children;
  // S_FALSE: nothing to list, and no enumerator to ask.
  if (result == S_OK && enumerator) {
    for (;;) {
      PITEMID_CHILD child = nullptr;
      ULONG fetched = 0;
      result = enumerator->Next(1, &child, &fetched);
      if (result != S_OK || !child) break;
      children.emplace_back(child);
    }
    if (FAILED(result)) ThrowSystemError(L"Cannot read the folder", static_cast<DWORD>(result));
  }

  NoRedrawScope no_redraw(list_);
  ListView_DeleteAllItems(list_);
  folder_ = std::move(folder);
  folder_pidl_ = std::move(pidl);
  int index = 0;
  for (OwnedPidl& child : children) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = LPSTR_TEXTCALLBACKW;
    item.iImage = IconIndex(child.get());
    item.lParam = reinterpret_cast<LPARAM>(child.get());
    if (ListView_InsertItem(list_, &item) < 0) throw std::bad_alloc();
    child.release();  // the list view's item owns it now, until LVN_DELETEITEM
    ++index;
  }
  ListView_SortItems(list_, &CompareItems, reinterpret_cast<LPARAM>(folder_.Get()));
  if (index > 0) ListView_SetItemState(list_, 0, LVIS_FOCUSED, LVIS_FOCUSED);
  ListView_EnsureVisible(list_, 0, FALSE);
}

void ShellView::BrowseTo(PCIDLIST_ABSOLUTE folder) {
  ComPtr<IShellFolder> desktop;
  ThrowIfFailed(SHGetDesktopFolder(&desktop), L"Cannot open the Desktop folder");
  ComPtr<IShellFolder> target;
  if (ILIsEmpty(folder)) {
    target = desktop;
  } else {
    ThrowIfFailed(desktop->BindToObject(folder, nullptr, IID_PPV_ARGS(&target)), L"Cannot open the folder");
  }
  OwnedPidl copy(ILCloneFull(folder));
  if (!copy) throw std::bad_alloc();
  ShowFolder(std::move(copy), std::move(target));
}

void ShellView::BrowseUp() {
  if (!folder_pidl_ || ILIsEmpty(folder_pidl_.get())) return;
  OwnedPidl parent(ILCloneFull(folder_pidl_.get()));
  if (!parent) throw std::bad_alloc();
  ILRemoveLastID(parent.get());
  BrowseTo(parent.get());
}

void ShellView::Refresh() {
  std::vector<std::wstring> selected;
  for (int index : SelectedIndexes()) selected.push_back(DisplayName(ItemPidl(index), SHGDN_INFOLDER | SHGDN_FORPARSING));
  OwnedPidl same(ILCloneFull(folder_pidl_.get()));
  if (!same) throw std::bad_alloc();
  ShowFolder(std::move(same), folder_);
  int count = ListView_GetItemCount(list_);
  for (int index = 0; index < count; ++index) {
    std::wstring name = DisplayName(ItemPidl(index), SHGDN_INFOLDER | SHGDN_FORPARSING);
    if (std::find(selected.begin(), selected.end(), name) != selected.end()) {
      ListView_SetItemState(list_, index, LVIS_SELECTED, LVIS_SELECTED);
    }
  }
}

// A folder opens in this view; anything else is opened by the shell, as a double-click on the desktop would.
void ShellView::Activate(int index) {
  PCUITEMID_CHILD item = ItemPidl(index);
  if (!item) return;
  OwnedPidl absolute = Combine(folder_pidl_.get(), item);
  if (Attributes(item, SFGAO_FOLDER)) {
    ComPtr<IShellFolder> folder;
    HRESULT result = folder_->BindToObject(item, nullptr, IID_PPV_ARGS(&folder));
    if (FAILED(result)) {
      ThrowSystemError(L"Cannot open the folder \"" + DisplayName(item, SHGDN_INFOLDER) + L"\"",
                       static_cast<DWORD>(result));
    }
    ShowFolder(std::move(absolute), std::move(folder));
    return;
  }
  SHELLEXECUTEINFOW execute{sizeof execute};
  // The failure is reported here, once, rather than left to the shell.
  execute.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
  execute.hwnd = GetAncestor(Handle(), GA_ROOT);
  execute.lpIDList = absolute.get();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&execute)) {
    DWORD error = GetLastError();
    if (error == ERROR_CANCELLED) return;
    ThrowSystemError(L"Cannot open \"" + DisplayName(item, SHGDN_INFOLDER) + L"\"", error);
  }
}

// ---- Renaming ----

bool ShellView::BeginRename(int index) {
  PCUITEMID_CHILD item = ItemPidl(index);
  if (options_.read_only || !Attributes(item, SFGAO_CANRENAME)) return false;
  // The name as the shell wants it typed, which may differ from the one shown (an extension, say).
  std::wstring editable = DisplayName(item, SHGDN_INFOLDER | SHGDN_FOREDITING);
  if (HWND edit = ListView_GetEditControl(list_); edit && !editable.empty()) SetWindowTextW(edit, editable.c_str());
  return true;
}

// The list view is still inside its edit here: a refusal is reported once the edit is over.
void ShellView::EndRename(int index, const wchar_t* typed) {
  PCUITEMID_CHILD item = ItemPidl(index);
  if (!item) return;
  std::wstring name = typed;
  std::wstring old_name = DisplayName(item, SHGDN_INFOLDER);
  if (name == DisplayName(item, SHGDN_INFOLDER | SHGDN_FOREDITING)) return;
  auto refuse = [&](const std::wstring& why) {
    pending_error_ = L"Cannot rename \"" + old_name + L"\" to \"" + name + L"\": " + why;
    PostMessageW(Handle(), kReportRefusal, 0, 0);
  };
  if (name.find_first_not_of(L" ") == std::wstring::npos) return refuse(L"a name cannot be empty.");
  if (Attributes(item, SFGAO_FILESYSTEM) && name.find_first_of(kInvalidNameCharacters) != std::wstring::npos) {
    return refuse(L"a file name cannot contain any of the characters \\ / : * ? \" < > |");
  }
  PITEMID_CHILD renamed = nullptr;
  HRESULT result = folder_->SetNameOf(Handle(), item, name.c_str(), SHGDN_INFOLDER | SHGDN_FOREDITING, &renamed);
  OwnedPidl new_pidl(renamed);
  bool own_pidl = true;  // new_pidl is relative to the shown folder
  if ((result == E_FAIL || result == E_NOTIMPL) && Attributes(item, SFGAO_FILESYSTEM)) {
    // Some shells leave renaming to the folder that holds the file (a Desktop
    // that merges several folders, say): ask that one.
    result = RenameInOwnFolder(item, name, new_pidl);
    own_pidl = false;
  }
  if (result == kCancelled) return;  // the shell has asked or told the user already
  if (FAILED(result)) return refuse(SystemMessage(static_cast<DWORD>(result)));
  if (!new_pidl || !own_pidl) {
    // Look the renamed item up in the shown folder by the name the shell now gives it.
    std::wstring parsing = new_pidl && !own_pidl ? ParsingNameIn(new_pidl.get()) : name;
    new_pidl.reset();
    PIDLIST_RELATIVE parsed = nullptr;
    if (SUCCEEDED(folder_->ParseDisplayName(Handle(), nullptr, parsing.data(), nullptr, &parsed, nullptr))) {
      new_pidl.reset(parsed);
      // Only an item of this very folder will do as the list item's PIDL.
      if (ILIsEmpty(new_pidl.get()) || ILFindLastID(new_pidl.get()) != new_pidl.get()) new_pidl.reset();
    }
  }
  if (new_pidl) {
    LVITEMW update{};
    update.mask = LVIF_PARAM | LVIF_IMAGE;
    update.iItem = index;
    update.lParam = reinterpret_cast<LPARAM>(new_pidl.get());
    update.iImage = IconIndex(new_pidl.get());  // a new extension may bring a new icon
    if (ListView_SetItem(list_, &update)) {
      new_pidl.release();
      OwnedPidl old(const_cast<ITEMIDLIST*>(item));
      ListView_Update(list_, index);
      return;
    }
  }
  // Renamed, but the item could not be found again: read the folder anew once the edit is over.
  PostMessageW(Handle(), kRefreshView, 0, 0);
}

// Renames a file-system item through the shell folder of the directory that holds it.
HRESULT ShellView::RenameInOwnFolder(PCUITEMID_CHILD item, const std::wstring& name, OwnedPidl& renamed) const {
  std::wstring path = DisplayName(item, SHGDN_FORPARSING);
  if (path.empty()) return E_FAIL;
  PIDLIST_ABSOLUTE absolute = nullptr;
  HRESULT result = SHParseDisplayName(path.c_str(), nullptr, &absolute, 0, nullptr);
  if (FAILED(result)) return result;
  OwnedPidl owned(absolute);
  ComPtr<IShellFolder> parent;
  PCUITEMID_CHILD child = nullptr;
  result = SHBindToParent(owned.get(), IID_PPV_ARGS(&parent), &child);
  if (FAILED(result)) return result;
  PITEMID_CHILD out = nullptr;
  result = parent->SetNameOf(Handle(), child, name.c_str(), SHGDN_INFOLDER | SHGDN_FOREDITING, &out);
  if (SUCCEEDED(result) && out) {
    // Carried back as a full path, the one name every folder can parse.
    STRRET text{};
    std::wstring new_path;
    if (SUCCEEDED(parent->GetDisplayNameOf(out, SHGDN_FORPARSING, &text))) new_path = TakeString(text, out);
    CoTaskMemFree(out);
    PIDLIST_ABSOLUTE full = nullptr;
    if (!new_path.empty() && SUCCEEDED(SHParseDisplayName(new_path.c_str(), nullptr, &full, 0, nullptr))) {
      renamed.reset(full);
    }
  }
  return result;
}

// The name by which the shown folder can find the item an absolute PIDL points to.
std::wstring ShellView::ParsingNameIn(PCIDLIST_ABSOLUTE absolute) const {
  ComPtr<IShellFolder> parent;
  PCUITEMID_CHILD child = nullptr;
  if (FAILED(SHBindToParent(absolute, IID_PPV_ARGS(&parent), &child))) return {};
  STRRET text{};
  if (FAILED(parent->GetDisplayNameOf(child, SHGDN_INFOLDER | SHGDN_FORPARSING, &text))) return {};
  return TakeString(text, child);
}

// ---- Context menus ----

void ShellView::ShowContextMenu(LPARAM screen_point) {
  POINT point{GET_X_LPARAM(screen_point), GET_Y_LPARAM(screen_point)};
  int clicked = -1;
  if (screen_point == -1) {
    // From the keyboard: the focused item, at its icon.
    clicked = ListView_GetNextItem(list_, -1, LVNI_FOCUSED | LVNI_SELECTED);
    RECT icon{};
    if (clicked < 0 || !ListView_GetItemRect(list_, clicked, &icon, LVIR_ICON)) return;
    point = POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    ClientToScreen(list_, &point);
  } else {
    LVHITTESTINFO hit{};
    hit.pt = point;
    ScreenToClient(list_, &hit.pt);
    clicked = ListView_HitTest(list_, &hit);
  }
  if (clicked < 0) return;

  // The menu concerns the whole selection when the clicked item is part of it.
  std::vector<PCUITEMID_CHILD> items;
  bool clicked_selected = ListView_GetItemState(list_, clicked, LVIS_SELECTED) != 0;
  if (clicked_selected) {
    for (int index : SelectedIndexes()) items.push_back(ItemPidl(index));
  } else {
    items.push_back(ItemPidl(clicked));
  }
  std::wstring clicked_name = DisplayName(ItemPidl(clicked), SHGDN_INFOLDER);

  ComPtr<IContextMenu> menu;
  HRESULT result = folder_->GetUIObjectOf(Handle(), static_cast<UINT>(items.size()), items.data(), IID_IContextMenu,
                                          nullptr, reinterpret_cast<void**>(menu.GetAddressOf()));
  if (FAILED(result)) ThrowSystemError(L"Cannot show the menu of \"" + clicked_name + L"\"", static_cast<DWORD>(result));
  OwnedMenu popup(CreatePopupMenu());
  if (!popup) ThrowLastError(L"Cannot show the menu of \"" + clicked_name + L"\"");
  UINT flags = CMF_NORMAL | (options_.read_only ? 0 : CMF_CANRENAME);
  if (GetKeyState(VK_SHIFT) < 0) flags |= CMF_EXTENDEDVERBS;
  result = menu->QueryContextMenu(popup.Get(), 0, kFirstMenuCommand, kLastMenuCommand, flags);
  if (FAILED(result)) ThrowSystemError(L"Cannot show the menu of \"" + clicked_name + L"\"", static_cast<DWORD>(result));

  UINT command = 0;
  {
    // The menu draws some of its items itself: it gets the menu messages while it is up.
    menu.As(&menu2_);
    menu.As(&menu3_);
    struct MenuUp {
      ShellView& view;
      ~MenuUp() {
        view.menu2_.Reset();
        view.menu3_.Reset();
      }
    } menu_up{*this};
    command = static_cast<UINT>(
        TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr));
  }
  if (command < kFirstMenuCommand) return;
  UINT offset = command - kFirstMenuCommand;

  // The shell renames in the view that asked for the menu: this one, in place.
  wchar_t verb[64] = L"";
  if (SUCCEEDED(menu->GetCommandString(offset, GCS_VERBW, nullptr, reinterpret_cast<char*>(verb), ARRAYSIZE(verb))) &&
      lstrcmpiW(verb, L"rename") == 0) {
    ::SetFocus(list_);
    ListView_EditLabel(list_, clicked);
    return;
  }
  CMINVOKECOMMANDINFOEX invoke{};
  invoke.cbSize = sizeof invoke;
  invoke.fMask = CMIC_MASK_UNICODE | CMIC_MASK_PTINVOKE;
  if (GetKeyState(VK_SHIFT) < 0) invoke.fMask |= CMIC_MASK_SHIFT_DOWN;
  if (GetKeyState(VK_CONTROL) < 0) invoke.fMask |= CMIC_MASK_CONTROL_DOWN;
  invoke.hwnd = GetAncestor(Handle(), GA_ROOT);
  invoke.lpVerb = MAKEINTRESOURCEA(offset);
  invoke.lpVerbW = MAKEINTRESOURCEW(offset);
  invoke.nShow = SW_SHOWNORMAL;
  invoke.ptInvoke = point;
  result = menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&invoke));
  if (FAILED(result) && result != kCancelled) {
    ThrowSystemError(L"Cannot carry out the command on \"" + clicked_name + L"\"", static_cast<DWORD>(result));
  }
}

bool ShellView::ForwardMenuMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (menu3_) {
    LRESULT answer = 0;
    if (menu3_->HandleMenuMsg2(message, wparam, lparam, &answer) == S_OK) {
      result = answer;
      return true;
    }
    return false;
  }
  if (menu2_ && message != WM_MENUCHAR && SUCCEEDED(menu2_->HandleMenuMsg(message, wparam, lparam))) {
    result = message == WM_INITMENUPOPUP ? 0 : TRUE;
    return true;
  }
  return false;
}

// ---- Messages ----

void ShellView::GetDisplayInfo(NMLVDISPINFOW& info) const {
  PCUITEMID_CHILD item = ItemPidl(info.item.iItem);
  if (!item) return;
  if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
    std::wstring name = DisplayName(item, SHGDN_INFOLDER);
    lstrcpynW(info.item.pszText, name.c_str(), info.item.cchTextMax);
  }
  if (info.item.mask & LVIF_IMAGE) info.item.iImage = IconIndex(item);
}

bool ShellView::ListNotify(NMHDR& header, LRESULT& result) {
  if (!list_ || header.hwndFrom != list_) return false;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      GetDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
      return true;
    case LVN_DELETEITEM:
      CoTaskMemFree(reinterpret_cast<ITEMIDLIST*>(reinterpret_cast<NMLISTVIEW&>(header).lParam));
      return true;
    case LVN_DELETEALLITEMS:
      result = FALSE;  // one LVN_DELETEITEM per item, so that each PIDL is freed
      return true;
    case LVN_ITEMACTIVATE:
      if (options_.auto_navigate) {
        PostMessageW(Handle(), kActivateItem, static_cast<WPARAM>(reinterpret_cast<NMITEMACTIVATE&>(header).iItem), 0);
      }
      return true;
    case LVN_BEGINLABELEDITW:
      result = BeginRename(reinterpret_cast<NMLVDISPINFOW&>(header).item.iItem) ? FALSE : TRUE;
      return true;
    case LVN_ENDLABELEDITW: {
      auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
      if (info.item.pszText) EndRename(info.item.iItem, info.item.pszText);
      result = FALSE;  // the text comes from the shell, renamed or not
      return true;
    }
    case LVN_KEYDOWN: {
      WORD key = reinterpret_cast<NMLVKEYDOWN&>(header).wVKey;
      if (key == VK_F2 && !options_.read_only) {
        int focused = ListView_GetNextItem(list_, -1, LVNI_FOCUSED | LVNI_SELECTED);
        if (focused >= 0) ListView_EditLabel(list_, focused);
      } else if (key == VK_BACK && options_.auto_navigate) {
        BrowseUp();
      } else if (key == VK_F5) {
        Refresh();
      }
      return true;
    }
  }
  return false;
}

LRESULT ShellView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (ListNotify(*reinterpret_cast<NMHDR*>(lparam), result)) return result;
      break;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) == list_ && options_.auto_context_menu) {
        ShowContextMenu(lparam);
        return 0;
      }
      break;
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_MENUCHAR: {
      LRESULT result = 0;
      if (ForwardMenuMessage(message, wparam, lparam, result)) return result;
      break;
    }
    case kActivateItem: {
      int index = static_cast<int>(wparam);
      if (list_ && index >= 0 && index < ListView_GetItemCount(list_)) Activate(index);
      return 0;
    }
    case kReportRefusal: {
      std::wstring text = std::move(pending_error_);
      pending_error_.clear();
      if (!text.empty()) throw Error(text);
      return 0;
    }
    case kRefreshView:
      if (list_) Refresh();
      return 0;
    case WM_SETFOCUS:
      if (list_) ::SetFocus(list_);
      return 0;
    case WM_SIZE:
      if (list_) MoveWindow(list_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      break;
    case WM_DESTROY:
      // Before the list view goes: its items' PIDLs come back through LVN_DELETEITEM.
      if (list_) ListView_DeleteAllItems(list_);
      list_ = nullptr;
      break;
  }
  return WinControl::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
