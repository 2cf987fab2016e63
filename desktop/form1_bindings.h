// What the window description may name: TForm1's element fields and its
// event handlers, listed once so that a missing one fails the build.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <variant>

#include "desktop/form1.h"

namespace desktop {

using NotifyHandler = void (TForm1::*)(ui::Component*);
using KeyHandler = void (TForm1::*)(ui::Component*, WORD&, ui::ShiftState);
using MouseHandler = void (TForm1::*)(ui::Component*, ui::MouseButton, ui::ShiftState, int, int);
using MouseMoveHandler = void (TForm1::*)(ui::Component*, ui::ShiftState, int, int);
using Handler = std::variant<NotifyHandler, KeyHandler, MouseHandler, MouseMoveHandler>;

struct FieldBinding {
  // Stores the component in the field; false when it is not of the field's kind.
  std::function<bool(TForm1&, ui::Component*)> assign;
  std::function<bool(const TForm1&)> assigned;
};

const std::map<std::string, Handler>& FormHandlers();
const std::map<std::string, FieldBinding>& FormFields();

}  // namespace desktop
