#include <doctest/doctest.h>

#include <filesystem>
#include <fstream>

#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// A directory of files with every attribute and name the list must handle;
// the process works in it while the desktop window is created.
struct FixtureDirectory : test::TempDirectory {
  fs::path path{Path()};
  fs::path previous = fs::current_path();

  FixtureDirectory() : TempDirectory(L"tarvello-file-list") {
    fs::create_directories(path / L"subfolder");
    for (const wchar_t* name : {L"b-normal.txt", L"A-readonly.txt", L"hidden.txt", L"system.dat", L"hidden-readonly.txt",
                                L"Run.EXE", L"setup.Com", L"go.bat", L"old.pIf", L"notes", L"Відкрит.txt",
                                L"日本語.txt", L"Ωmega.txt"}) {
      Add(name, "open\n");
    }
    SetFileAttributesW((path / L"A-readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((path / L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((path / L"system.dat").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesW((path / L"hidden-readonly.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    Enter();
  }
};

std::vector<std::wstring> Names(const ui::FileListBox& list) {
  std::vector<std::wstring> names;
  for (const auto& entry : list.Items()) names.push_back(entry.name);
  return names;
}

}  // namespace

TEST_SUITE("file-list") {

TEST_CASE("the explorer lists the working directory's files when first shown, and never again") {
  FixtureDirectory fixture;
  test::Desktop desktop;
  TForm1& form = *desktop;
  ui::FileListBox& list = *form.FileListBox1;
  CHECK(list.BoundsRect() == RECT{0, 24, 281, 185});
  CHECK(list.Parent() == form.Panel3);
  CHECK(list.Directory() == fixture.path.wstring());
  CHECK_FALSE(list.Loaded());  // not read at start

  // The process may wander off; the list keeps the directory it was created in.
  fs::current_path(fixture.previous);
  test::ChooseMenuItem(form, *form.N2);
  REQUIRE(list.Loaded());
  const std::vector<std::wstring> expected = {L"A-readonly.txt", L"b-normal.txt", L"go.bat",      L"notes",
                                              L"old.pIf",        L"Run.EXE",      L"setup.Com",   L"Ωmega.txt",
                                              L"Відкрит.txt",    L"日本語.txt"};
  CHECK(Names(list) == expected);
  CHECK(SendMessageW(list.Handle(), LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(expected.size()));
  CHECK(SendMessageW(list.Handle(), LB_GETITEMHEIGHT, 0, 0) == 16);
  for (const auto& entry : list.Items()) {
    CAPTURE(ui::Narrow(entry.name));
    bool program = entry.name == L"go.bat" || entry.name == L"old.pIf" || entry.name == L"Run.EXE" ||
                   entry.name == L"setup.Com";
    CHECK(entry.program == program);
  }

  // Files made later do not appear; selection and rows survive hiding and showing.
  std::ofstream(fixture.path / L"later.txt") << "close\n";
  test::Click(*form.CheckBox2);
  test::ChooseMenuItem(form, *form.N2);
  list.SetItemIndex(2);
  test::Click(*form.CheckBox2);
  test::ChooseMenuItem(form, *form.N2);
  CHECK(Names(list) == expected);
  CHECK(list.ItemIndex() == 2);
}

TEST_CASE("the selected file's full path opens that very file, whatever its name") {
  FixtureDirectory fixture;
  test::Desktop desktop;
  TForm1& form = *desktop;
  ui::FileListBox& list = *form.FileListBox1;
  test::ChooseMenuItem(form, *form.N2);
  CHECK(list.FileName().empty());  // nothing selected yet

  for (size_t index = 0; index < list.Items().size(); ++index) {
    const std::wstring& name = list.Items()[index].name;
    CAPTURE(ui::Narrow(name));
    // A real click on the row selects it.
    test::Click(*form.FileListBox1, 60, static_cast<int>(index) * 16 + 8);
    REQUIRE(list.ItemIndex() == static_cast<int>(index));
    std::wstring path = list.FileName();
    CHECK(path == fixture.path.wstring() + L"\\" + name);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
}

TEST_CASE("at a drive root the path has one backslash") {
  fs::path previous = fs::current_path();
  fs::current_path(L"C:\\");
  std::ofstream(L"C:\\tarvello-root-file.txt") << "open\n";
  {
    test::Desktop desktop;
    fs::current_path(previous);
    TForm1& form = *desktop;
    test::ChooseMenuItem(form, *form.N2);
    ui::FileListBox& list = *form.FileListBox1;
    auto found = std::find_if(list.Items().begin(), list.Items().end(),
                              [](const auto& entry) { return entry.name == L"tarvello-root-file.txt"; });
    REQUIRE(found != list.Items().end());
    list.SetItemIndex(static_cast<int>(found - list.Items().begin()));
    CHECK(list.FileName() == L"C:\\tarvello-root-file.txt");
  }
  DeleteFileW(L"C:\\tarvello-root-file.txt");
}

}  // TEST_SUITE
