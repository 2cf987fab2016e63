#include <doctest/doctest.h>

#include <filesystem>
#include <fstream>

#include "recording_system_calls.h"
#include "test_support.h"
#include "ui/application.h"

#include <psapi.h>

namespace fs = std::filesystem;

namespace {

// Script files in a directory of their own, which the desktop is started in.
struct ScriptDirectory : test::TempDirectory {
  fs::path path{Path()};
  ScriptDirectory() : TempDirectory(L"tarvello-scripts") {}
};

// Double-clicks the named file's row in the explorer, as a user does.
void DoubleClickFile(TForm1& form, const std::wstring& name) {
  ui::FileListBox& list = *form.FileListBox1;
  const auto& items = list.Items();
  auto found = std::find_if(items.begin(), items.end(), [&](const auto& entry) { return entry.name == name; });
  REQUIRE(found != items.end());
  int index = static_cast<int>(found - items.begin());
  SendMessageW(list.Handle(), LB_SETTOPINDEX, index, 0);
  RECT row{};
  SendMessageW(list.Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&row));
  test::DoubleClick(test::ScreenPoint(list.Handle(), 60, (row.top + row.bottom) / 2));
}

const std::string kLongName = "c:\\" + std::string(90, 'a') + "\\" + std::string(40, 'b') + ".exe";

}  // namespace

TEST_SUITE("script-files") {

TEST_CASE("double-clicked scripts run their command and write nothing to the console") {
  ScriptDirectory directory;
  struct Row {
    const wchar_t* name;
    std::string bytes;
    const wchar_t* call;  // null: nothing runs
    std::wstring file;    // for the shell
  };
  const Row rows[] = {
      {L"01-open.txt", "open\r\nwhatever\r\n", L"Set cdaudio door open wait", L""},
      {L"02-close.txt", "close\r\n", L"Set cdaudio door closed wait", L""},
      {L"03-program.txt", "execute\r\nc:\\windows\\notepad.exe\r\n", L"shell open", L"c:\\windows\\notepad.exe"},
      {L"04-document.txt", "execute\r\nreadme.txt\r\n", L"shell open", L"readme.txt"},
      {L"05-lf-only.txt", "open\nsecond\n", L"Set cdaudio door open wait", L""},
      {L"06-bom.txt", "\xef\xbb\xbfopen\r\n", nullptr, L""},
      {L"07-case.txt", "Open\r\n", nullptr, L""},
      {L"08-trailing-space.txt", "open \r\n", nullptr, L""},
      {L"09-empty.txt", "", nullptr, L""},
      {L"10-execute-alone.txt", "execute", L"shell open", L""},
      {L"11-program.exe", std::string("MZ\x90\0\x03\0\0\0", 8) + "open\r\n", nullptr, L""},
      {L"12-long.txt", "execute\r\n" + kLongName + "\r\n", L"shell open", std::wstring(kLongName.begin(), kLongName.end())},
      {L"13-cyrillic.txt", "execute\n\xc4\xee\xea\xf3\xec\xe5\xed\xf2.txt\n", L"shell open", L"Документ.txt"},
  };
  for (const Row& row : rows) directory.Add(row.name, row.bytes);
  directory.Enter();
  test::Desktop desktop;
  TForm1& form = *desktop;
  test::RecordingSystemCalls system;
  test::ChooseMenuItem(form, *form.N2);

  for (const Row& row : rows) {
    std::string name = ui::Narrow(row.name);
    CAPTURE(name);
    system.calls.clear();
    DoubleClickFile(form, row.name);
    REQUIRE(system.calls.size() == (row.call ? 1u : 0u));
    if (row.call) {
      const test::SystemCall& call = system.calls[0];
      CHECK(call.what == row.call);
      CHECK(call.window == form.Handle());
      if (call.what == L"shell open") {
        CHECK(call.file == row.file);
        CHECK(call.parameters.empty());
        CHECK(call.directory == L"c:\\");
        CHECK(call.show == SW_SHOW);
      }
    }
    CHECK(form.Memo1->Text().empty());
  }

  // The same script twice runs twice; the file is never changed.
  system.calls.clear();
  DoubleClickFile(form, L"01-open.txt");
  DoubleClickFile(form, L"01-open.txt");
  CHECK(system.calls.size() == 2);
  std::ifstream file(directory.path / L"01-open.txt", std::ios::binary);
  CHECK(std::string(std::istreambuf_iterator<char>(file), {}) == "open\r\nwhatever\r\n");
}

TEST_CASE("a script that cannot be read, or no selection, shows the error box and runs nothing") {
  ScriptDirectory directory;
  directory.Add(L"gone.txt", "open\r\n");
  directory.Add(L"locked.txt", "open\r\n");
  directory.Enter();
  test::Desktop desktop;
  TForm1& form = *desktop;
  test::RecordingSystemCalls system;
  test::ChooseMenuItem(form, *form.N2);
  test::DialogWatcher watcher(form.Handle());

  // Nothing selected: the list's double-click notification arrives all the same.
  PostMessageW(form.Panel3->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(form.FileListBox1->Handle()));
  test::PumpUntil([&] { return watcher.Seen().size() == 1; });

  fs::remove(directory.path / L"gone.txt");
  DoubleClickFile(form, L"gone.txt");
  test::PumpUntil([&] { return watcher.Seen().size() == 2; });

  // Another program holds the file without letting anyone read it.
  HANDLE lock = CreateFileW((directory.path / L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  REQUIRE(lock != INVALID_HANDLE_VALUE);
  DoubleClickFile(form, L"locked.txt");
  test::PumpUntil([&] { return watcher.Seen().size() == 3; });
  CloseHandle(lock);

  REQUIRE(watcher.Seen().size() == 3);
  for (const test::SeenDialog& box : watcher.Seen()) {
    CHECK(box.caption == L"Tarvello Alfa 0.5");
    REQUIRE(box.texts.size() == 1);
  }
  CHECK(watcher.Seen()[0].texts[0].find(L"No file is selected") != std::wstring::npos);
  for (int i : {1, 2}) {
    const std::wstring& text = watcher.Seen()[i].texts[0];
    std::string shown = ui::Narrow(text);
    CAPTURE(shown);
    CHECK(text.find(i == 1 ? L"gone.txt" : L"locked.txt") != std::wstring::npos);
    CHECK(text.find(L": ") != std::wstring::npos);  // followed by the system's reason
  }
  CHECK(system.calls.empty());
  CHECK(IsWindow(form.Handle()));
  CHECK_FALSE(ui::Application::Get().Terminated());
}

TEST_CASE("a 1 GB script without line ends is read in bounded memory") {
  ScriptDirectory directory;
  const LONGLONG size = 1LL << 30;
  for (auto [name, start] : {std::pair{L"huge.txt", std::string()}, std::pair{L"huge-execute.txt", std::string("execute\n")}}) {
    HANDLE file = CreateFileW((directory.path / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, start.data(), static_cast<DWORD>(start.size()), &written, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = size;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);  // the rest reads as zero bytes: no line end anywhere
    CloseHandle(file);
  }
  directory.Enter();
  test::Desktop desktop;
  TForm1& form = *desktop;
  test::RecordingSystemCalls system;
  test::ChooseMenuItem(form, *form.N2);
  test::DialogWatcher watcher(form.Handle());

  PROCESS_MEMORY_COUNTERS before{sizeof before}, after{sizeof after};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  DWORD start = GetTickCount();
  DoubleClickFile(form, L"huge.txt");
  DoubleClickFile(form, L"huge-execute.txt");
  test::PumpUntil([&] { return !watcher.Seen().empty(); });
  DWORD elapsed = GetTickCount() - start;
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);

  CHECK(system.calls.empty());
  REQUIRE(watcher.Seen().size() == 1);  // the second names a file longer than any the system can open
  CHECK(watcher.Seen()[0].texts[0].find(L"huge-execute.txt") != std::wstring::npos);
  double grown_mb = (static_cast<double>(after.PeakWorkingSetSize) - before.PeakWorkingSetSize) / (1024.0 * 1024.0);
  MESSAGE("1 GB scripts: peak working set grew by " << grown_mb << " MB (peak " << after.PeakWorkingSetSize / (1024 * 1024)
                                                    << " MB), " << elapsed << " ms");
  CHECK(grown_mb < 16);
  CHECK(elapsed < 5000);
}

}  // TEST_SUITE
