#include <doctest/doctest.h>

#include "test_support.h"
#include "ui/application.h"

namespace {

std::wstring MenuText(HMENU menu, UINT position) {
  wchar_t text[256] = L"";
  GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  return text;
}

MENUITEMINFOW MenuItemInfo(HMENU menu, UINT position) {
  MENUITEMINFOW info{sizeof info};
  info.fMask = MIIM_BITMAP | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP description{};
  GetObjectW(bitmap, sizeof description, &description);
  return SIZE{description.bmWidth, description.bmHeight};
}

struct ProgramWindows {
  DWORD process_id;
  HWND application = nullptr, desktop = nullptr;
};

BOOL CALLBACK FindProgramWindows(HWND hwnd, LPARAM data) {
  auto* found = reinterpret_cast<ProgramWindows*>(data);
  DWORD owner_process = 0;
  GetWindowThreadProcessId(hwnd, &owner_process);
  if (owner_process != found->process_id || !IsWindowVisible(hwnd)) return TRUE;
  if (test::ClassName(hwnd) == L"TarvelloApplication") found->application = hwnd;
  if (test::ClassName(hwnd) == L"TarvelloForm") found->desktop = hwnd;
  return TRUE;
}

}  // namespace

TEST_SUITE("menus") {

TEST_CASE("the menu bar: \"Меню\" with its four items, icons and bold default") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  HMENU bar = GetMenu(form.Handle());
  REQUIRE(GetMenuItemCount(bar) == 1);
  CHECK(MenuText(bar, 0) == L"Меню");
  MENUITEMINFOW top = MenuItemInfo(bar, 0);
  CHECK(top.hbmpItem == form.N1->Bitmap());
  CHECK(BitmapSize(top.hbmpItem).cx == 16);
  CHECK(BitmapSize(top.hbmpItem).cy == 16);

  HMENU items = top.hSubMenu;
  REQUIRE(items);
  struct Row {
    ui::MenuItem* item;
    const wchar_t* text;
    bool has_icon;
  };
  const Row rows[] = {{form.N2, L"Все", true},
                      {form.N3, L"Консоль", true},
                      {form.N5, L"Менеджер файлів", false},
                      {form.N4, L"Вийти з системи", true}};
  REQUIRE(GetMenuItemCount(items) == 4);
  for (UINT position = 0; position < 4; ++position) {
    const Row& row = rows[position];
    CAPTURE(position);
    CHECK(MenuText(items, position) == row.text);
    MENUITEMINFOW info = MenuItemInfo(items, position);
    CHECK(info.wID == row.item->Command());
    CHECK((info.hbmpItem != nullptr) == row.has_icon);
    if (row.has_icon) CHECK(BitmapSize(info.hbmpItem).cx == 16);
    CHECK(((info.fState & MFS_DEFAULT) != 0) == (row.item == form.N3));
  }
  CHECK(GetMenuDefaultItem(items, FALSE, 0) == form.N3->Command());
}

TEST_CASE("a right click on the wallpaper opens its context menu with its one item") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  HMENU popup = form.PopupMenu1->Handle();
  REQUIRE(GetMenuItemCount(popup) == 1);
  CHECK(MenuText(popup, 0) == L"Налаштувати фон");
  CHECK(GetMenuItemID(popup, 0) == form.N6->Command());

  test::DialogWatcher watcher(form.Handle());
  test::Click(test::ScreenPoint(*form.Image3, 600, 400), test::Button::Right);
  test::PumpUntil([&] { return !watcher.Seen().empty(); });
  REQUIRE(watcher.Seen().size() == 1);
  CHECK(watcher.Seen()[0].window_class == L"#32768");

  // Not over the label, the button or an inner window.
  for (POINT point : {test::ScreenPoint(*form.Label5, 5, 5), test::ScreenPoint(*form.Button2, 5, 5)}) {
    test::Click(point, test::Button::Right);
    test::Pump(200);
  }
  form.ShowConsole();
  test::Pump();
  test::Click(test::ScreenPoint(*form.Panel2, 200, 15), test::Button::Right);
  test::Pump(200);
  CHECK(watcher.Seen().size() == 1);
}

TEST_CASE("\"Вийти з системи\" ends the program at once, whatever windows are open") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  for (ui::MenuItem* item : {form.N2, form.N3, form.N5}) test::ChooseMenuItem(form, *item);
  test::ChooseMenuItem(form, *form.N4);
  CHECK(ui::Application::Get().Terminated());
  CHECK(form.Handle() == nullptr);
}

TEST_CASE("the program itself: title on the taskbar entry, and the menu ends it") {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring program = self;
  program = program.substr(0, program.find_last_of(L"\\/")) + L"\\..\\..\\tarvello.exe";

  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + program + L"\"";
  REQUIRE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &process));
  ProgramWindows found{process.dwProcessId};
  auto find = [&] {
    EnumWindows(&FindProgramWindows, reinterpret_cast<LPARAM>(&found));
    return found.application && found.desktop;
  };
  bool started = test::PumpUntil(find, 15000);
  REQUIRE(started);
  CHECK(test::WindowText(found.application) == L"Tarvello Alfa 0.5");
  CHECK(test::WindowText(found.desktop).empty());

  // Built from the same description, this process's own desktop has the same command numbers.
  test::Desktop same;
  PostMessageW(found.desktop, WM_COMMAND, MAKEWPARAM(same->N4->Command(), 0), 0);
  bool ended = WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 2);
  CHECK(ended);
  DWORD exit_code = 1;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CHECK(exit_code == 0);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // TEST_SUITE
