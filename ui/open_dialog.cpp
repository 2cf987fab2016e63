#include "ui/open_dialog.h"

#include <shobjidl.h>

#include "ui/error.h"

namespace ui {

bool OpenDialog::Execute(HWND owner) {
  ComPtr<IFileOpenDialog> dialog;
  ThrowIfFailed(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)),
                L"Cannot open the file dialog");
  FILEOPENDIALOGOPTIONS options = 0;
  if (SUCCEEDED(dialog->GetOptions(&options))) {
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST);
  }
  HRESULT shown = dialog->Show(owner);
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return false;
  ThrowIfFailed(shown, L"The file dialog failed");

  ComPtr<IShellItem> item;
  ThrowIfFailed(dialog->GetResult(&item), L"The file dialog failed");
  wchar_t* path = nullptr;
  ThrowIfFailed(item->GetDisplayName(SIGDN_FILESYSPATH, &path), L"The chosen item is not a file");
  file_name_ = path;
  CoTaskMemFree(path);
  return true;
}

}  // namespace ui
