// Event types raised by the components to the handlers bound to them.
#pragma once

#include <functional>

#include "ui/win.h"

namespace ui {

class Control;
class Component;

enum class MouseButton { Left, Right, Middle };

// Modifier keys and mouse buttons held while an event happens.
enum ShiftFlags : unsigned {
  kShift = 1,
  kAlt = 2,
  kCtrl = 4,
  kLeftButton = 8,
  kRightButton = 16,
  kMiddleButton = 32,
};
using ShiftState = unsigned;

using NotifyEvent = std::function<void(Component* sender)>;
// The handler may set the key to 0 to keep the control from handling it.
using KeyEvent = std::function<void(Component* sender, WORD& key, ShiftState shift)>;
using MouseEvent = std::function<void(Component* sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Component* sender, ShiftState shift, int x, int y)>;

ShiftState KeyboardShiftState();
ShiftState MouseShiftState(WPARAM mouse_flags);

}  // namespace ui
