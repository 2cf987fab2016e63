// How long the explorer takes to list a large directory the first time it is
// shown: the desktop starts in a directory of many files, then the explorer
// window is shown and painted, and the time from the show to the end of that
// paint is reported.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/desktop_app.h"
#include "bench/measure.h"
#include "desktop/form1.h"
#include "ui/application.h"

namespace {

// Makes (once) a directory holding exactly `count` small files.
std::wstring PrepareDirectory(int count) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring directory = std::wstring(temp) + L"tarvello-bench-files-" + std::to_wstring(count);
  CreateDirectoryW(directory.c_str(), nullptr);
  for (int i = 0; i < count; ++i) {
    wchar_t name[64];
    swprintf(name, 64, L"\\file-%05d.%s", i, i % 10 == 0 ? L"exe" : L"txt");
    std::wstring path = directory + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return directory;
}

bool AnythingToPaint(HWND hwnd) {
  if (!IsWindowVisible(hwnd)) return false;
  if (GetUpdateRect(hwnd, nullptr, FALSE)) return true;
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (AnythingToPaint(child)) return true;
  }
  return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  int count = command_line && *command_line ? _wtoi(command_line) : 10000;
  if (count <= 0) count = 10000;
  SetCurrentDirectoryW(PrepareDirectory(count).c_str());

  std::unique_ptr<TForm1> form = app::StartDesktop();
  if (!form) return 1;
  form->ShowForm();
  ui::Application& application = ui::Application::Get();
  while (AnythingToPaint(form->Handle())) application.ProcessMessages();

  double start = bench::NowMs();
  form->N2Click(form->N2);  // what choosing "Все" does
  double listed = bench::NowMs();
  application.ProcessMessages();
  RedrawWindow(form->Panel3->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  while (AnythingToPaint(form->Handle())) application.ProcessMessages();
  double painted = bench::NowMs();

  bench::ResultLine line("file_list");
  line.Add("files", static_cast<long long>(form->FileListBox1->Items().size()));
  line.Add("listed_ms", listed - start);
  line.Add("first_show_ms", painted - start);
  line.Emit();
  form.reset();
  app::StopDesktop();
  return 0;
}
