// The application object: the program's title and taskbar entry, the message
// loop, and the default error box for failures that escape a handler.
#pragma once

#include <string>

#include "ui/win.h"

namespace ui {

class Form;

class Application {
 public:
  static Application& Get();

  // Starts COM for this thread, loads the common controls and creates the
  // hidden window that carries the program's taskbar entry.
  void Initialize();
  void Shutdown();

  void SetTitle(const std::wstring& title);
  const std::wstring& Title() const { return title_; }
  // Owner of every form; its caption is the text of the taskbar entry.
  HWND Handle() const { return hwnd_; }
  // Makes the entry appear; the main form does this when it is first shown.
  void ShowTaskbarEntry();

  // A new main form starts a new run: the loop has not been ended for it.
  void SetMainForm(Form* form) {
    main_form_ = form;
    terminated_ = false;
  }
  Form* MainForm() const { return main_form_; }

  // Runs the message loop until the main form is closed; returns the exit code.
  int Run();
  // Handles every message already queued, then returns (for tests and benchmarks).
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Call from a catch block: shows the failure in the default error box.
  void HandleException();
  void ShowException(const std::wstring& text);

 private:
  Application() = default;
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  bool PreTranslate(MSG& message);
  void Dispatch(MSG& message);

  std::wstring title_;
  HWND hwnd_ = nullptr;
  Form* main_form_ = nullptr;
  bool terminated_ = false;
  bool com_initialized_ = false;
};

}  // namespace ui
