// The floor of the start-up benchmark: the least a windowed program built the
// same way as the desktop can do before it shows something. It opens one
// empty frameless window over the work area and, at the end of its first
// paint, prints its figures and quits.
#include <windows.h>

#include "bench/measure.h"

namespace {

constexpr wchar_t kFloorClass[] = L"TarvelloBenchFloor";

bool reported = false;
double entry_ms = 0;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
      EndPaint(hwnd, &paint);
      if (!reported) {
        reported = true;
        GdiFlush();
        bench::ProcessFigures figures = bench::ReadProcessFigures();
        bench::ResultLine line("floor");
        line.Add("startup_ms", figures.since_creation_ms);
        line.Add("cpu_ms", figures.cpu_ms);
        line.Add("peak_ws_mb", figures.peak_working_set_mb);
        line.Add("peak_pagefile_mb", figures.peak_pagefile_mb);
        line.Add("entry_ms", entry_ms);
        line.Emit();
        DestroyWindow(hwnd);
      }
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  entry_ms = bench::MsSinceCreation();

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kFloorClass;
  if (!RegisterClassExW(&window_class)) return 1;

  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  HWND hwnd = CreateWindowExW(0, kFloorClass, L"floor", WS_POPUP, area.left, area.top, area.right - area.left,
                              area.bottom - area.top, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);

  // The first paint comes through the ordinary message loop, as it does for any program.
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return reported ? 0 : 1;
}
