// The placement handlers: choosing a window and moving it from the wallpaper.
#include "desktop/form1.h"

void TForm1::Panel6Click(ui::Component*) { Placement.Choose(desktop::WindowPlacement::kFileManager); }
void TForm1::Panel5Click(ui::Component*) { Placement.Choose(desktop::WindowPlacement::kBackground); }
void TForm1::Panel2Click(ui::Component*) { Placement.Choose(desktop::WindowPlacement::kConsole); }

void TForm1::Image3MouseMove(ui::Component*, ui::ShiftState, int X, int Y) { Placement.PointerMoved(X, Y); }

// Any button released on the wallpaper moves the chosen window: left edge,
// then top edge, to the last pointer position. That position is in the
// wallpaper's coordinates, which start one pixel in from the desktop's, so
// the corner lands one pixel up and left of the pointer.
void TForm1::Image3MouseUp(ui::Component*, ui::MouseButton, ui::ShiftState, int, int) {
  ui::Panel* window = nullptr;
  switch (Placement.SelectedWindow) {
    case desktop::WindowPlacement::kFileManager:
      window = Panel6;
      break;
    case desktop::WindowPlacement::kBackground:
      window = Panel5;
      break;
    case desktop::WindowPlacement::kConsole:
      window = Panel2;
      break;
    default:
      return;
  }
  window->SetLeft(Placement.LastMouseX);
  window->SetTop(Placement.LastMouseY);
}
