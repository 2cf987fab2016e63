// Appending to the console log through the command line, 100,000 times: the
// time per line for the first and the last thousand shows whether appending
// stays constant as the log grows, and the peak memory what the log costs.
#include <windows.h>

#include <cstdio>

#include "app/desktop_app.h"
#include "commands/system_actions.h"
#include "bench/measure.h"
#include "desktop/form1.h"
#include "ui/application.h"

namespace {

// Stands in for the tray when only the log's own cost is wanted.
class NoTray : public commands::SystemCalls {
 public:
  void SendMultimediaCommand(const std::wstring&, HWND) override {}
  INT_PTR ShellOpen(HWND, const std::wstring&, const std::wstring&, const std::wstring&, int) override { return 0; }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  NoTray no_tray;
  bool log_only = GetEnvironmentVariableW(L"TARVELLO_BENCH_LOG_ONLY", nullptr, 0) != 0;
  if (log_only) commands::SetSystemCalls(&no_tray);
  int lines = command_line && *command_line ? _wtoi(command_line) : 100000;
  if (lines < 2000) lines = 2000;
  std::unique_ptr<TForm1> form = app::StartDesktop();
  if (!form) return 1;
  form->ShowForm();
  form->N3Click(form->N3);  // the console, with the focus in its command line
  ui::Application::Get().ProcessMessages();

  HWND line = form->pt1->Handle();
  double first_thousand = 0, last_thousand = 0, start = bench::NowMs(), previous = start;
  for (int i = 1; i <= lines; ++i) {
    // What typing "open" and pressing Enter delivers to the command line.
    SetWindowTextW(line, L"open");
    SendMessageW(line, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    if (i % 1000 == 0) {
      double now = bench::NowMs();
      if (i == 1000) first_thousand = now - previous;
      if (i == lines) last_thousand = now - previous;
      previous = now;
    }
  }
  double total = bench::NowMs() - start;
  bench::ProcessFigures figures = bench::ReadProcessFigures();

  bench::ResultLine result("console_log");
  result.Add("tray_commands", static_cast<long long>(log_only ? 0 : lines));
  result.Add("lines", static_cast<long long>(form->Memo1->LineCount()));
  result.Add("first_1000_us_per_line", first_thousand);
  result.Add("last_1000_us_per_line", last_thousand);
  result.Add("total_s", total / 1000);
  result.Add("log_chars", static_cast<long long>(GetWindowTextLengthW(form->Memo1->Handle())));
  result.Add("peak_ws_mb", figures.peak_working_set_mb);
  result.Add("peak_pagefile_mb", figures.peak_pagefile_mb);
  result.Emit();
  form.reset();
  app::StopDesktop();
  return 0;
}
