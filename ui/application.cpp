#include "ui/application.h"

#include <ole2.h>

#include "ui/error.h"
#include "ui/form.h"

namespace ui {
namespace {

constexpr wchar_t kApplicationClass[] = L"TarvelloApplication";

}  // namespace

Application& Application::Get() {
  static Application application;
  return application;
}

void Application::Initialize() {
  if (hwnd_) return;
  // OLE rather than bare COM: the shell's views need drag and drop and the clipboard.
  HRESULT result = OleInitialize(nullptr);
  ThrowIfFailed(result, L"Cannot start COM");
  com_initialized_ = true;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{sizeof window_class};
  window_class.lpfnWndProc = &Application::WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, L"MAINICON");
  if (!window_class.hIcon) window_class.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  window_class.lpszClassName = kApplicationClass;
  if (!GetClassInfoExW(instance, kApplicationClass, &window_class) && !RegisterClassExW(&window_class)) {
    ThrowLastError(L"Cannot register the application window");
  }
  // A visible window of no size: it gives the taskbar an entry with the
  // application's title while the desktop window keeps an empty caption.
  int x = GetSystemMetrics(SM_CXSCREEN) / 2;
  int y = GetSystemMetrics(SM_CYSCREEN) / 2;
  hwnd_ = CreateWindowExW(0, kApplicationClass, title_.c_str(), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                          nullptr, nullptr, instance, nullptr);
  if (!hwnd_) ThrowLastError(L"Cannot create the application window");
}

void Application::ShowTaskbarEntry() {
  if (hwnd_ && !IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

void Application::Shutdown() {
  if (hwnd_) {
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  if (com_initialized_) {
    OleUninitialize();
    com_initialized_ = false;
  }
}

void Application::SetTitle(const std::wstring& title) {
  title_ = title;
  if (hwnd_) SetWindowTextW(hwnd_, title_.c_str());
}

LRESULT CALLBACK Application::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Application& application = Get();
  switch (message) {
    case WM_ACTIVATE:
      // The taskbar entry activates this window; hand the activation on to the desktop.
      if (LOWORD(wparam) != WA_INACTIVE && application.main_form_ && application.main_form_->Handle() &&
          IsWindowVisible(application.main_form_->Handle())) {
        SetActiveWindow(application.main_form_->Handle());
        return 0;
      }
      break;
    case WM_CLOSE:
      // Closing the taskbar entry closes the desktop, as its own close would.
      if (application.main_form_) {
        application.main_form_->Close();
        return 0;
      }
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

bool Application::PreTranslate(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
    if (Form* form = Form::FromChild(message.hwnd)) return form->HandleTabKey(message.hwnd);
  }
  return false;
}

void Application::Dispatch(MSG& message) {
  try {
    if (PreTranslate(message)) return;
  } catch (...) {
    HandleException();
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int Application::Run() {
  terminated_ = false;
  MSG message;
  for (;;) {
    BOOL result = GetMessageW(&message, nullptr, 0, 0);
    if (result == 0) {
      terminated_ = true;
      return static_cast<int>(message.wParam);
    }
    if (result == -1) return 1;
    Dispatch(message);
  }
}

void Application::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      terminated_ = true;
      return;
    }
    Dispatch(message);
  }
}

void Application::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void Application::HandleException() { ShowException(CurrentExceptionText()); }

void Application::ShowException(const std::wstring& text) {
  HWND owner = GetActiveWindow();
  if (!owner && main_form_) owner = main_form_->Handle();
  MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace ui
