#include "test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/desktop_app.h"
#include "ui/application.h"

namespace test {
namespace {

DialogWatcher* active_watcher = nullptr;

// Dialogs (#32770) and menus (#32768) that are on screen.
BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM data) {
  std::wstring name = ClassName(hwnd);
  if (IsWindowVisible(hwnd) && (name == L"#32770" || name == L"#32768")) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
  }
  return TRUE;
}

void SendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

Desktop::Desktop() {
  ui::Application& application = ui::Application::Get();
  application.Initialize();
  application.SetTitle(app::kApplicationTitle);
  form = std::make_unique<TForm1>();
  application.SetMainForm(form.get());
  form->ShowForm();
  Pump(100);
}

Desktop::~Desktop() {
  form.reset();
  // Drop whatever the closed desktop left queued, a quit request included.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

void Pump(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& condition, int timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    ui::Application::Get().ProcessMessages();
    if (condition()) return true;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= static_cast<DWORD>(timeout_ms)) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, timeout_ms - elapsed), QS_ALLINPUT);
  }
}

POINT ScreenPoint(HWND hwnd, int x, int y) {
  POINT point{x, y};
  ClientToScreen(hwnd, &point);
  return point;
}

POINT ScreenPoint(const ui::Control& control, int x, int y) {
  if (auto* windowed = dynamic_cast<const ui::WinControl*>(&control)) return ScreenPoint(windowed->Handle(), x, y);
  return ScreenPoint(control.Parent()->Handle(), control.Left() + x, control.Top() + y);
}

void MoveMouse(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  Pump(30);
}

void PressMouse(Button button) {
  SendMouse(button == Button::Left ? MOUSEEVENTF_LEFTDOWN
                                   : button == Button::Right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_MIDDLEDOWN);
  Pump(30);
}

void ReleaseMouse(Button button) {
  SendMouse(button == Button::Left ? MOUSEEVENTF_LEFTUP
                                   : button == Button::Right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_MIDDLEUP);
  Pump(30);
}

void Click(POINT screen, Button button) {
  MoveMouse(screen);
  PressMouse(button);
  ReleaseMouse(button);
  Pump(30);
}

void Click(const ui::Control& control, Button button) {
  Click(ScreenPoint(control, control.Width() / 2, control.Height() / 2), button);
}

void Click(const ui::Control& control, int x, int y, Button button) { Click(ScreenPoint(control, x, y), button); }

void DoubleClick(POINT screen) {
  MoveMouse(screen);
  INPUT inputs[4] = {};
  const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dwFlags = flags[i];
  }
  SendInput(4, inputs, sizeof(INPUT));
  Pump(100);
}

void PressKey(WORD key, bool shift) {
  if (shift) {
    PressKey(key, {VK_SHIFT});
  } else {
    PressKey(key, {});
  }
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD modifier : modifiers) add(modifier, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  for (WORD modifier : modifiers) add(modifier, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Pump(60);
}

void TypeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    for (DWORD flags : {DWORD{KEYEVENTF_UNICODE}, DWORD{KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  }
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Pump(60);
}

void ChooseMenuItem(TForm1& form, const ui::MenuItem& item) {
  PostMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(item.Command(), 0), 0);
  Pump(30);
}

DialogWatcher::DialogWatcher(HWND owner) : owner_(owner) {
  active_watcher = this;
  timer_ = SetTimer(nullptr, 0, 50, &DialogWatcher::OnTimer);
}

DialogWatcher::~DialogWatcher() {
  KillTimer(nullptr, timer_);
  active_watcher = nullptr;
}

void CALLBACK DialogWatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (active_watcher) active_watcher->Check();
}

void DialogWatcher::Check() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&found));
  for (HWND hwnd : found) {
    if (std::find(closing_.begin(), closing_.end(), hwnd) != closing_.end()) continue;
    closing_.push_back(hwnd);
    SeenDialog dialog;
    dialog.window_class = ClassName(hwnd);
    dialog.caption = WindowText(hwnd);
    dialog.owner_disabled = !IsWindowEnabled(owner_);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (ClassName(child) == L"Static" && !WindowText(child).empty()) dialog.texts.push_back(WindowText(child));
    }
    seen_.push_back(dialog);
    if (dialog.window_class == L"#32768") {
      EndMenu();
    } else if (Answer && Answer(hwnd)) {
      // answered by the test
    } else {
      PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
  }
}

TempDirectory::TempDirectory(const std::wstring& name) {
  namespace fs = std::filesystem;
  previous_ = fs::current_path().wstring();
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  path_ = (fs::path(temp) / name).wstring();
  std::error_code ignored;
  fs::remove_all(path_, ignored);
  fs::create_directories(path_);
}

TempDirectory::~TempDirectory() {
  namespace fs = std::filesystem;
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  fs::remove_all(path_, ignored);
}

void TempDirectory::Add(const std::wstring& name, const std::string& bytes) const {
  std::ofstream(std::filesystem::path(path_) / name, std::ios::binary) << bytes;
}

void TempDirectory::Enter() const { std::filesystem::current_path(path_); }

std::wstring WindowText(HWND hwnd) {
  wchar_t text[1024] = L"";
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

std::wstring ClassName(HWND hwnd) {
  wchar_t name[256] = L"";
  GetClassNameW(hwnd, name, 256);
  return name;
}

RECT RectInParent(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<HWND> ChildrenTopToBottom(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  return children;
}

}  // namespace test
