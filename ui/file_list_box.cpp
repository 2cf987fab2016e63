#include "ui/file_list_box.h"

#include <algorithm>

#include "desktop/file_names.h"
#include "ui/error.h"
#include "ui/text.h"

namespace ui {
namespace {

void DrawGlyph(HDC dc, HBITMAP glyph, int x, int y) {
  if (!glyph) return;
  OwnedDc memory(CreateCompatibleDC(dc));
  SelectObjectScope select(memory.Get(), glyph);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, x, y, 16, 16, memory.Get(), 0, 0, 16, 16, blend);
}

}  // namespace

void FileListBox::Create(WinControl& parent, RECT bounds, bool visible, const Options& options) {
  options_ = options;
  DWORD length = GetCurrentDirectoryW(0, nullptr);
  directory_.resize(length);
  directory_.resize(GetCurrentDirectoryW(length, directory_.data()));
  if (options.program_glyph) program_bitmap_ = options.program_glyph->Render(16, 16);
  if (options.file_glyph) file_bitmap_ = options.file_glyph->Render(16, 16);
  Attach(parent, bounds, visible);
  // No data of its own: rows are drawn from items_, so reading even a large
  // directory costs one count, not a string per row.
  CreateStockWindow(L"LISTBOX",
                    LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE, L"");
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, options.item_height);
  if (IsWindowVisible(Handle())) OnShowing();
}

void FileListBox::OnShowing() {
  if (!loaded_) ReadDirectory();
}

void FileListBox::ReadDirectory() {
  loaded_ = true;
  std::wstring pattern = FromUtf16(desktop::JoinPath(AsUtf16(directory_), AsUtf16(options_.mask)));
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return;
    ThrowSystemError(L"Cannot list the files of " + directory_, error);
  }
  constexpr DWORD kNeverListed =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
  do {
    if (found.dwFileAttributes & kNeverListed) continue;
    std::wstring name = found.cFileName;
    items_.push_back(Entry{name, desktop::IsProgramFileName(AsUtf16(name))});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  // By name, as the user's language orders names, ignoring letter case.
  std::sort(items_.begin(), items_.end(), [](const Entry& a, const Entry& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.name.c_str(), static_cast<int>(a.name.size()),
                          b.name.c_str(), static_cast<int>(b.name.size())) == CSTR_LESS_THAN;
  });
  SendMessageW(Handle(), LB_SETCOUNT, items_.size(), 0);
}

int FileListBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

void FileListBox::SetItemIndex(int index) { SendMessageW(Handle(), LB_SETCURSEL, index, 0); }

std::wstring FileListBox::FileName() const {
  int index = ItemIndex();
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return {};
  return FromUtf16(desktop::JoinPath(AsUtf16(directory_), AsUtf16(items_[index].name)));
}

bool FileListBox::OnCommand(WORD code) {
  if (code != LBN_DBLCLK) return false;
  if (onDblClick) onDblClick(this);
  return true;
}

bool FileListBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT row = item.rcItem;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != static_cast<UINT>(-1) && item.itemID < items_.size()) {
    const Entry& entry = items_[item.itemID];
    int height = row.bottom - row.top;
    DrawGlyph(dc, entry.program ? program_bitmap_.Get() : file_bitmap_.Get(), row.left + 2,
              row.top + (height - 16) / 2);
    SaveDcScope saved(dc);
    SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = row;
    text.left += 22;
    DrawTextW(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
  return true;
}

}  // namespace ui
