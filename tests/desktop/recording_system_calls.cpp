#include "recording_system_calls.h"

namespace test {

RecordingSystemCalls::RecordingSystemCalls(std::function<int()> log_lines) : log_lines_(std::move(log_lines)) {
  commands::SetSystemCalls(this);
}

RecordingSystemCalls::~RecordingSystemCalls() { commands::SetSystemCalls(nullptr); }

void RecordingSystemCalls::SendMultimediaCommand(const std::wstring& command, HWND callback) {
  calls.push_back({command, callback, {}, {}, {}, 0, log_lines_ ? log_lines_() : -1});
}

INT_PTR RecordingSystemCalls::ShellOpen(HWND parent, const std::wstring& file, const std::wstring& parameters,
                                        const std::wstring& directory, int show) {
  calls.push_back({L"shell open", parent, file, parameters, directory, show, log_lines_ ? log_lines_() : -1});
  return 2;  // what the shell answers for a file it cannot find
}

}  // namespace test
