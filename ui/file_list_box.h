// The files of one directory, one per row with a glyph for programs and one
// for other files: an owner-drawn list box of the platform.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/handles.h"
#include "ui/image.h"

namespace ui {

class FileListBox : public WinControl {
 public:
  struct Entry {
    std::wstring name;
    bool program = false;  // .exe, .com, .bat or .pif
  };
  struct Options {
    std::wstring mask = L"*.*";
    int item_height = 16;
    std::shared_ptr<const Image> program_glyph;
    std::shared_ptr<const Image> file_glyph;
  };

  using WinControl::WinControl;
  // The directory is the process's current directory at this moment; the
  // files are read when the list first comes on screen, and never again.
  void Create(WinControl& parent, RECT bounds, bool visible, const Options& options);

  const std::wstring& Directory() const { return directory_; }
  bool Loaded() const { return loaded_; }
  const std::vector<Entry>& Items() const { return items_; }
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The selected file's full path, or empty text when nothing is selected.
  std::wstring FileName() const;

  NotifyEvent onDblClick;

 protected:
  void OnShowing() override;
  bool OnCommand(WORD code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void ReadDirectory();

  std::wstring directory_;
  Options options_;
  std::vector<Entry> items_;
  bool loaded_ = false;
  OwnedBitmap program_bitmap_;
  OwnedBitmap file_bitmap_;
};

}  // namespace ui
