#include <doctest/doctest.h>

#include "recording_system_calls.h"
#include "test_support.h"
#include "ui/application.h"

namespace {

std::vector<std::wstring> LogLines(TForm1& form) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < form.Memo1->LineCount(); ++i) lines.push_back(form.Memo1->Line(i));
  return lines;
}

// Opens the console as a user does, with the focus in the command line.
void OpenConsole(TForm1& form) {
  test::ChooseMenuItem(form, *form.N3);
  REQUIRE(GetFocus() == form.pt1->Handle());
}

void Enter(const std::wstring& text, std::initializer_list<WORD> modifiers = {}) {
  test::TypeText(text);
  test::PressKey(VK_RETURN, modifiers);
}

// Keeps the log's text as it stood when its window was destroyed.
LRESULT CALLBACK RecordLogAtDestruction(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_DESTROY) {
    wchar_t text[256] = L"";
    GetWindowTextW(hwnd, text, 256);
    reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(text);
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

constexpr wchar_t kOpen[] = L"Set cdaudio door open wait";
constexpr wchar_t kClose[] = L"Set cdaudio door closed wait";

}  // namespace

TEST_SUITE("console") {

TEST_CASE("typed commands: exact matches act after their log line; anything else is dropped") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  test::RecordingSystemCalls system([&] { return form.Memo1->LineCount(); });
  OpenConsole(form);
  struct Row {
    const wchar_t* typed;
    std::initializer_list<WORD> modifiers;
    std::vector<std::wstring> new_log_lines;
    const wchar_t* system_call;  // null: none
    bool explorer_shown, console_shown;
  };
  const Row rows[] = {
      {L"Open", {}, {}, nullptr, false, true},
      {L" open", {}, {}, nullptr, false, true},
      {L"open ", {}, {}, nullptr, false, true},
      {L"st  explore", {}, {}, nullptr, false, true},
      {L"", {}, {}, nullptr, false, true},
      {L"відкрити", {}, {}, nullptr, false, true},
      {L"st explore", {}, {}, nullptr, true, true},
      {L"open", {}, {L"Відкрит"}, kOpen, true, true},
      {L"open", {}, {L"Відкрит"}, kOpen, true, true},
      {L"close", {VK_SHIFT}, {L"Закрит"}, kClose, true, true},
      {L"close", {VK_CONTROL}, {L"Закрит"}, kClose, true, true},
      {L"exit", {}, {}, nullptr, true, false},
  };
  for (const Row& row : rows) {
    std::string typed = ui::Narrow(row.typed);
    CAPTURE(typed);
    size_t lines_before = LogLines(form).size();
    size_t calls_before = system.calls.size();
    Enter(row.typed, row.modifiers);

    std::vector<std::wstring> lines = LogLines(form);
    REQUIRE(lines.size() == lines_before + row.new_log_lines.size());
    CHECK(std::vector<std::wstring>(lines.begin() + lines_before, lines.end()) == row.new_log_lines);
    REQUIRE(system.calls.size() == calls_before + (row.system_call ? 1 : 0));
    if (row.system_call) {
      const test::SystemCall& call = system.calls.back();
      CHECK(call.what == row.system_call);
      CHECK(call.window == form.Handle());
      CHECK(call.log_lines == static_cast<int>(lines.size()));  // the log line came first
    }
    CHECK(form.Panel3->Visible() == row.explorer_shown);
    CHECK(form.Panel2->Visible() == row.console_shown);
    CHECK(form.pt1->Text().empty());
  }

  // Reopened: the same log, an empty command line.
  std::vector<std::wstring> log = LogLines(form);
  OpenConsole(form);
  CHECK(LogLines(form) == log);
  CHECK(form.pt1->Text().empty());
  CHECK(ui::Application::Get().Terminated() == false);
}

TEST_CASE("typing without Enter changes only the command line") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  test::RecordingSystemCalls system;
  OpenConsole(form);
  test::TypeText(L"open");
  test::PressKey(VK_LEFT);
  test::PressKey(VK_TAB);  // the focus moves on; the text stays
  CHECK(form.pt1->Text() == L"open");
  CHECK(form.Memo1->LineCount() == 0);
  CHECK(system.calls.empty());
}

TEST_CASE("\"shutdown\" logs its line, then closes the desktop and ends the loop, whatever is open") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  test::RecordingSystemCalls system;
  for (ui::MenuItem* item : {form.N2, form.N5}) test::ChooseMenuItem(form, *item);
  OpenConsole(form);
  std::vector<std::wstring> logged;
  HWND memo = form.Memo1->Handle();
  SetWindowSubclass(memo, &RecordLogAtDestruction, 7, reinterpret_cast<DWORD_PTR>(&logged));
  Enter(L"shutdown");
  CHECK(ui::Application::Get().Terminated());
  CHECK(form.Handle() == nullptr);
  CHECK(logged == std::vector<std::wstring>{L"Система вимикається\r\n"});
  CHECK(system.calls.empty());
}

TEST_CASE("LaunchFile passes every text whole, however long") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  test::RecordingSystemCalls system;
  const std::wstring file = L"C:\\Program Files\\" + std::wstring(120, L'д') + L"\\програма з довгою назвою.exe";
  const std::wstring parameters(100, L'p');
  const std::wstring directory = L"c:\\" + std::wstring(90, L'x');
  CHECK(commands::LaunchFile(form.Handle(), file, parameters, directory, 5) == 2);
  REQUIRE(system.calls.size() == 1);
  CHECK(system.calls[0].what == L"shell open");
  CHECK(system.calls[0].window == form.Handle());
  CHECK(system.calls[0].file == file);
  CHECK(system.calls[0].parameters == parameters);
  CHECK(system.calls[0].directory == directory);
  CHECK(system.calls[0].show == 5);
}

}  // TEST_SUITE
