// Driving the real desktop window in-process: a fresh TForm1 per test, the
// platform's own mouse and keyboard input, and a watcher that records and
// closes the modal dialogs the program opens.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <doctest/doctest.h>

#include "desktop/form1.h"
#include "ui/text.h"

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

namespace doctest {
template <>
struct StringMaker<RECT> {
  static String convert(const RECT& r) {
    return String("{") + toString(r.left) + "," + toString(r.top) + "," + toString(r.right) + "," +
           toString(r.bottom) + "}";
  }
};
}  // namespace doctest

namespace test {

// Creates the application (once per process) and a shown desktop window.
struct Desktop {
  Desktop();
  ~Desktop();
  TForm1& operator*() const { return *form; }
  TForm1* operator->() const { return form.get(); }
  std::unique_ptr<TForm1> form;
};

// Handles messages for the given time.
void Pump(int milliseconds = 60);
// Handles messages until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, int timeout_ms = 3000);

// Screen point of a place in a window's client area.
POINT ScreenPoint(HWND hwnd, int x, int y);
// Screen point of a place inside an element, whether windowed or drawn on its parent.
POINT ScreenPoint(const ui::Control& control, int x, int y);

enum class Button { Left, Right, Middle };
void MoveMouse(POINT screen);
void PressMouse(Button button);
void ReleaseMouse(Button button);
void Click(POINT screen, Button button = Button::Left);
void Click(const ui::Control& control, Button button = Button::Left);  // at its centre
// At a place inside an element.
void Click(const ui::Control& control, int x, int y, Button button = Button::Left);
void DoubleClick(POINT screen);
void PressKey(WORD key, bool shift = false);
// A key pressed with modifier keys held (VK_SHIFT, VK_CONTROL, VK_MENU).
void PressKey(WORD key, std::initializer_list<WORD> modifiers);
// Types text as keystrokes of its characters.
void TypeText(const std::wstring& text);

// Posts a menu item's command to the form, as choosing it does.
void ChooseMenuItem(TForm1& form, const ui::MenuItem& item);

struct SeenDialog {
  std::wstring window_class;
  std::wstring caption;
  std::vector<std::wstring> texts;  // texts of its static controls
  bool owner_disabled = false;      // the desktop took no input while it was open
};

// While alive, closes every dialog or menu that opens on this thread and records it.
class DialogWatcher {
 public:
  explicit DialogWatcher(HWND owner);
  ~DialogWatcher();
  const std::vector<SeenDialog>& Seen() const { return seen_; }
  // When set, each dialog (not menu) is offered to it first, once: returning
  // true means it answered the dialog itself, so it is recorded but not cancelled.
  std::function<bool(HWND dialog)> Answer;

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Check();

  HWND owner_;
  UINT_PTR timer_;
  std::vector<SeenDialog> seen_;
  std::vector<HWND> closing_;
};

// A fresh directory under the temporary folder, removed again (whatever its
// files' attributes) with the working directory put back.
class TempDirectory {
 public:
  explicit TempDirectory(const std::wstring& name);
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::wstring& Path() const { return path_; }
  // Writes a file of these bytes.
  void Add(const std::wstring& name, const std::string& bytes) const;
  // Makes it the process's working directory.
  void Enter() const;

 private:
  std::wstring path_;
  std::wstring previous_;
};

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// A window's place and size in its parent's client coordinates.
RECT RectInParent(HWND hwnd);
std::vector<HWND> ChildrenTopToBottom(HWND parent);

}  // namespace test
