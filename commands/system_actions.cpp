#include "commands/system_actions.h"

#include <mmsystem.h>
#include <shellapi.h>

namespace commands {
namespace {

class Platform : public SystemCalls {
 public:
  void SendMultimediaCommand(const std::wstring& command, HWND callback) override {
    mciSendStringW(command.c_str(), nullptr, 0, callback);
  }
  INT_PTR ShellOpen(HWND parent, const std::wstring& file, const std::wstring& parameters,
                    const std::wstring& directory, int show) override {
    return reinterpret_cast<INT_PTR>(
        ShellExecuteW(parent, nullptr, file.c_str(), parameters.c_str(), directory.c_str(), show));
  }
};

SystemCalls* current = nullptr;

}  // namespace

SystemCalls& PlatformSystemCalls() {
  static Platform platform;
  return platform;
}

SystemCalls& CurrentSystemCalls() { return current ? *current : PlatformSystemCalls(); }

void SetSystemCalls(SystemCalls* calls) { current = calls; }

void OpenCdDoor(HWND callback) { CurrentSystemCalls().SendMultimediaCommand(L"Set cdaudio door open wait", callback); }

void CloseCdDoor(HWND callback) {
  CurrentSystemCalls().SendMultimediaCommand(L"Set cdaudio door closed wait", callback);
}

INT_PTR LaunchFile(HWND parent, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& directory, int show) {
  return CurrentSystemCalls().ShellOpen(parent, file, parameters, directory, show);
}

}  // namespace commands
