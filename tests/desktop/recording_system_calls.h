// Records what the program asks of the CD tray and the shell, in order,
// instead of doing it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "commands/system_actions.h"

namespace test {

struct SystemCall {
  std::wstring what;  // the multimedia command string, or L"shell open"
  HWND window = nullptr;
  std::wstring file, parameters, directory;
  int show = 0;
  int log_lines = -1;  // the console log's length when the call was made
};

class RecordingSystemCalls : public commands::SystemCalls {
 public:
  explicit RecordingSystemCalls(std::function<int()> log_lines = nullptr);
  ~RecordingSystemCalls() override;

  void SendMultimediaCommand(const std::wstring& command, HWND callback) override;
  INT_PTR ShellOpen(HWND parent, const std::wstring& file, const std::wstring& parameters,
                    const std::wstring& directory, int show) override;

  std::vector<SystemCall> calls;

 private:
  std::function<int()> log_lines_;
};

}  // namespace test
