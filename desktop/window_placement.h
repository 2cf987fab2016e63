// Moving inner windows without dragging: a click on a window's bare surface
// chooses it, and a click on the wallpaper puts its top-left corner at the
// last place the pointer moved to over the wallpaper. Plain state, no window.
#pragma once

namespace desktop {

struct WindowPlacement {
  // 0: none; 1: the file manager; 2: the background window; 3: the console.
  int SelectedWindow = 0;
  // The latest pointer position over the wallpaper, in its own coordinates.
  int LastMouseX = 0;
  int LastMouseY = 0;

  enum : int { kNone = 0, kFileManager = 1, kBackground = 2, kConsole = 3 };

  void Choose(int window) { SelectedWindow = window; }
  void PointerMoved(int x, int y) {
    LastMouseX = x;
    LastMouseY = y;
  }
};

}  // namespace desktop
