// The system's standard dialog for choosing a file to open, run modally.
#pragma once

#include <string>

#include "ui/component.h"
#include "ui/win.h"

namespace ui {

class OpenDialog : public Component {
 public:
  using Component::Component;

  // Runs the dialog over the owner; true when the user chose a file.
  bool Execute(HWND owner);
  const std::wstring& FileName() const { return file_name_; }

 private:
  std::wstring file_name_;
};

}  // namespace ui
