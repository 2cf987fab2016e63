// Double-clicking a file in the explorer runs it as a script.
#include "commands/cp1251.h"
#include "commands/script_reader.h"
#include "commands/system_actions.h"
#include "desktop/form1.h"
#include "ui/error.h"
#include "ui/text.h"

namespace {

// A file opened for reading, other readers welcome; closed when it goes out of scope.
class ScriptFile : public commands::ByteSource {
 public:
  explicit ScriptFile(const std::wstring& path) : path_(path) {
    handle_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) ui::ThrowLastError(L"Cannot open the script \"" + path + L"\"");
  }
  ScriptFile(const ScriptFile&) = delete;
  ScriptFile& operator=(const ScriptFile&) = delete;
  ~ScriptFile() override { CloseHandle(handle_); }

  size_t Read(char* buffer, size_t size) override {
    DWORD read = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &read, nullptr)) {
      ui::ThrowLastError(L"Cannot read the script \"" + path_ + L"\"");
    }
    return read;
  }

 private:
  std::wstring path_;
  HANDLE handle_;
};

}  // namespace

void TForm1::FileListBox1DblClick(ui::Component*) {
  std::wstring path = FileListBox1->FileName();
  if (path.empty()) throw ui::Error(L"No file is selected in the explorer.");
  commands::Script script;
  {
    ScriptFile file(path);
    script = commands::ReadScript(file);
  }  // closed before the command runs
  switch (script.command) {
    case commands::ScriptCommand::None:
      break;
    case commands::ScriptCommand::Close:
      commands::CloseCdDoor(Handle());
      break;
    case commands::ScriptCommand::Open:
      commands::OpenCdDoor(Handle());
      break;
    case commands::ScriptCommand::Execute: {
      if (script.argument_too_long) {
        throw ui::Error(L"The script \"" + path + L"\" names a file longer than any the system can open.");
      }
      commands::LaunchFile(Handle(), ui::FromUtf16(commands::FromCp1251(script.argument)), L"", L"c:\\", SW_SHOW);
      break;
    }
  }
}
