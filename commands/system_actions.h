// The program's only effects outside its own window: the CD tray and
// launches through the shell, all through one seam so that tests can record
// exactly what is passed without a drive and without starting anything.
#pragma once

#include <string>

#include "ui/win.h"

namespace commands {

class SystemCalls {
 public:
  virtual ~SystemCalls() = default;
  // A command string for the multimedia interface; no reply is wanted.
  virtual void SendMultimediaCommand(const std::wstring& command, HWND callback) = 0;
  // The shell opens a file with its default action; returns the shell's result.
  virtual INT_PTR ShellOpen(HWND parent, const std::wstring& file, const std::wstring& parameters,
                            const std::wstring& directory, int show) = 0;
};

// The platform's own functions; what the program always uses.
SystemCalls& PlatformSystemCalls();
// Where the actions go; tests swap in a recorder, null puts the platform back.
SystemCalls& CurrentSystemCalls();
void SetSystemCalls(SystemCalls* calls);

// Opens or closes the CD tray and returns when it has moved; results are not
// looked at, and without a drive nothing happens.
void OpenCdDoor(HWND callback);
void CloseCdDoor(HWND callback);

// Asks the shell to open the file with its default action. Every text is
// passed whole: a cut path could name a different program.
INT_PTR LaunchFile(HWND parent, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& directory, int show);

}  // namespace commands
