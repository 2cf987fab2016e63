#include <doctest/doctest.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_support.h"
#include "ui/application.h"
#include "ui/shell_view.h"

namespace {

// Names on the real Desktop that only these tests use; by plain name order the
// folder would come between the two files.
constexpr wchar_t kPrefix[] = L"Tarvello sv ";
const std::wstring kFileA = std::wstring(kPrefix) + L"a.txt";
const std::wstring kFolderB = std::wstring(kPrefix) + L"b";
const std::wstring kFileC = std::wstring(kPrefix) + L"c.txt";
// Of a type no program opens, so the shell cannot open it.
constexpr wchar_t kInner[] = L"inside.tarvello-none";

std::wstring DesktopPath() {
  wchar_t* path = nullptr;
  REQUIRE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &path)));
  std::wstring result(path);
  CoTaskMemFree(path);
  return result;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteSmallFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  REQUIRE(file != INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "note\r\n", 6, &written, nullptr);
  CloseHandle(file);
}

// Known items on the Desktop, made before the desktop window reads it and removed afterwards.
struct DesktopFixture {
  std::wstring desktop = DesktopPath();
  DesktopFixture() {
    RemoveAll();
    WriteSmallFile(Path(kFileA));
    WriteSmallFile(Path(kFileC));
    REQUIRE(CreateDirectoryW(Path(kFolderB).c_str(), nullptr));
    WriteSmallFile(Path(kFolderB) + L"\\" + kInner);
  }
  ~DesktopFixture() { RemoveAll(); }
  std::wstring Path(const std::wstring& name) const { return desktop + L"\\" + name; }

  // Everything with the tests' prefix, renamed items included, one folder level deep.
  void RemoveAll() const {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Path(std::wstring(kPrefix) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      std::wstring path = Path(found.cFileName);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteFileW((path + L"\\" + kInner).c_str());
        RemoveDirectoryW(path.c_str());
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
};

ui::ShellView& ViewOf(TForm1& form) {
  REQUIRE(form.ShellListView2 != nullptr);
  return *form.ShellListView2;
}

int IndexOf(const ui::ShellView& view, const std::wstring& name) {
  std::vector<std::wstring> names = view.ItemNames();
  auto found = std::find(names.begin(), names.end(), name);
  return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

// Screen point at the middle of an item's icon, scrolled into sight first.
POINT ItemPoint(const ui::ShellView& view, int index) {
  ListView_EnsureVisible(view.ListHandle(), index, FALSE);
  test::Pump(30);
  RECT icon{};
  REQUIRE(ListView_GetItemRect(view.ListHandle(), index, &icon, LVIR_ICON));
  return test::ScreenPoint(view.ListHandle(), (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
}

int ImageOf(const ui::ShellView& view, int index) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  REQUIRE(ListView_GetItem(view.ListHandle(), &item));
  return item.iImage;
}


std::vector<std::wstring> MenuTexts(HMENU menu) {
  std::vector<std::wstring> texts;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = L"";
    GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    texts.emplace_back(text);
  }
  return texts;
}

// The texts of the shell's own context menu for one file-system item, as the shell builds it.
std::vector<std::wstring> ShellMenuTexts(const std::wstring& path) {
  PIDLIST_ABSOLUTE absolute = nullptr;
  REQUIRE(SUCCEEDED(SHParseDisplayName(path.c_str(), nullptr, &absolute, 0, nullptr)));
  ui::ComPtr<IShellFolder> parent;
  PCUITEMID_CHILD child = nullptr;
  REQUIRE(SUCCEEDED(SHBindToParent(absolute, IID_PPV_ARGS(&parent), &child)));
  ui::ComPtr<IContextMenu> menu;
  REQUIRE(SUCCEEDED(parent->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr,
                                          reinterpret_cast<void**>(menu.GetAddressOf()))));
  HMENU popup = CreatePopupMenu();
  REQUIRE(SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_NORMAL | CMF_CANRENAME)));
  std::vector<std::wstring> texts = MenuTexts(popup);
  DestroyMenu(popup);
  CoTaskMemFree(absolute);
  return texts;
}

// Records the texts of the first menu that opens over a window, as it opens.
struct MenuSpy {
  HWND hwnd;
  std::vector<std::wstring> texts;
  bool seen = false;
  explicit MenuSpy(HWND window) : hwnd(window) { SetWindowSubclass(hwnd, &Proc, 7, reinterpret_cast<DWORD_PTR>(this)); }
  ~MenuSpy() { RemoveWindowSubclass(hwnd, &Proc, 7); }
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
    auto* spy = reinterpret_cast<MenuSpy*>(data);
    if (message == WM_INITMENUPOPUP && !spy->seen) {
      spy->seen = true;
      spy->texts = MenuTexts(reinterpret_cast<HMENU>(wparam));
    }
    return result;
  }
};

// Press and release in one go: the list view follows a pressed right button in a loop of its own.
void RightClick(POINT screen) {
  test::MoveMouse(screen);
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

void OpenFileManager(TForm1& form) {
  test::ChooseMenuItem(form, *form.N5);
  REQUIRE(form.Panel6->Visible());
}

}  // namespace

TEST_SUITE("shell-view") {

TEST_CASE("the Desktop's items, in the file manager, in large icons with the system's icons, folders first") {
  DesktopFixture fixture;
  test::Desktop desktop;
  TForm1& form = *desktop;
  ui::ShellView& view = ViewOf(form);
  // The shell is not asked for anything while the file manager has never been shown.
  CHECK(view.FolderName().empty());
  CHECK(view.ItemNames().empty());
  OpenFileManager(form);

  CHECK(GetParent(view.Handle()) == form.Panel6->Handle());
  CHECK(test::RectInParent(view.Handle()) == RECT{0, 40, 457, 241});
  LONG_PTR style = GetWindowLongPtrW(view.ListHandle(), GWL_STYLE);
  CHECK((style & LVS_TYPEMASK) == LVS_ICON);
  CHECK((style & LVS_EDITLABELS) != 0);     // names can be edited
  CHECK((style & LVS_SHOWSELALWAYS) != 0);  // the selection shows without the focus
  CHECK(IsWindowVisible(view.ListHandle()));
  CHECK(view.FolderName() == fixture.desktop);

  int a = IndexOf(view, kFileA), b = IndexOf(view, kFolderB), c = IndexOf(view, kFileC);
  REQUIRE(a >= 0);
  REQUIRE(b >= 0);
  REQUIRE(c >= 0);
  CHECK(b < a);
  CHECK(a < c);

  HIMAGELIST images = ListView_GetImageList(view.ListHandle(), LVSIL_NORMAL);
  REQUIRE(images != nullptr);
  int count = ImageList_GetImageCount(images);
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  CHECK(width == GetSystemMetrics(SM_CXICON));
  for (int index = 0; index < ListView_GetItemCount(view.ListHandle()); ++index) {
    CAPTURE(index);
    CHECK(ImageOf(view, index) >= 0);
    CHECK(ImageOf(view, index) < count);
  }
  // The very icons the shell gives these items.
  struct Row {
    const std::wstring& name;
    int index;
  };
  for (const Row& row : {Row{kFileA, a}, Row{kFolderB, b}}) {
    CAPTURE(ui::Narrow(row.name));
    SHFILEINFOW info{};
    REQUIRE(SHGetFileInfoW(fixture.Path(row.name).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    CHECK(ImageOf(view, row.index) == info.iIcon);
  }
  CHECK(ImageOf(view, a) != ImageOf(view, b));
}

TEST_CASE("a double-click opens a folder in the view, or has the shell open a file; the folder stays across hiding and showing") {
  DesktopFixture fixture;
  test::Desktop desktop;
  TForm1& form = *desktop;
  ui::ShellView& view = ViewOf(form);
  OpenFileManager(form);

  POINT folder = ItemPoint(view, IndexOf(view, kFolderB));
  test::Click(folder);
  test::Click(folder);
  CHECK(test::PumpUntil([&] { return view.FolderName() == fixture.Path(kFolderB); }));
  CHECK(view.ItemNames() == std::vector<std::wstring>{kInner});

  test::Click(ItemPoint(view, 0));
  REQUIRE(ListView_GetNextItem(view.ListHandle(), -1, LVNI_SELECTED) == 0);
  test::Click(*form.CheckBox6);
  REQUIRE_FALSE(form.Panel6->Visible());
  OpenFileManager(form);
  CHECK(view.FolderName() == fixture.Path(kFolderB));
  CHECK(view.ItemNames() == std::vector<std::wstring>{kInner});
  CHECK(ListView_GetNextItem(view.ListHandle(), -1, LVNI_SELECTED) == 0);

  {
    // A file the shell cannot open: its message, and the view and the desktop go on.
    test::DialogWatcher watcher(form.Handle());
    POINT inner = ItemPoint(view, 0);
    test::Click(inner);
    test::Click(inner);
    REQUIRE(test::PumpUntil([&] { return !watcher.Seen().empty(); }));
    CHECK(watcher.Seen()[0].caption == L"Tarvello Alfa 0.5");
    CHECK(view.FolderName() == fixture.Path(kFolderB));
    CHECK_FALSE(ui::Application::Get().Terminated());
  }

  view.SetFocus();
  test::PressKey(VK_BACK);
  CHECK(test::PumpUntil([&] { return view.FolderName() == fixture.desktop; }));
  CHECK(IndexOf(view, kFolderB) >= 0);
}

TEST_CASE("renaming in place renames the file; a refused name is reported and changes nothing") {
  DesktopFixture fixture;
  test::Desktop desktop;
  TForm1& form = *desktop;
  ui::ShellView& view = ViewOf(form);
  OpenFileManager(form);

  struct Row {
    std::wstring typed;
    bool renamed;
  };
  const Row rows[] = {
      {std::wstring(kPrefix) + L"bad?name.txt", false},  // a character no file name may hold
      {kFileC, false},                                   // the name of another file
      {std::wstring(kPrefix) + L"перейменований.txt", true},
  };
  for (const Row& row : rows) {
    CAPTURE(ui::Narrow(row.typed));
    test::DialogWatcher watcher(form.Handle());
    int index = IndexOf(view, kFileA);
    REQUIRE(index >= 0);
    test::Click(ItemPoint(view, index));
    test::PressKey(VK_F2);
    REQUIRE(test::PumpUntil([&] { return ListView_GetEditControl(view.ListHandle()) != nullptr; }));
    CHECK(test::WindowText(ListView_GetEditControl(view.ListHandle())) == kFileA);
    test::TypeText(row.typed);  // replaces the whole name, which the edit starts selected
    test::PressKey(VK_RETURN);
    test::PumpUntil([&] { return !watcher.Seen().empty(); }, row.renamed ? 300 : 3000);

    CHECK(ListView_GetEditControl(view.ListHandle()) == nullptr);
    CHECK(Exists(fixture.Path(kFileA)) == !row.renamed);
    if (row.renamed) CHECK(Exists(fixture.Path(row.typed)));
    CHECK(Exists(fixture.Path(kFileC)));
    CHECK(IndexOf(view, row.renamed ? row.typed : kFileA) == index);
    if (row.renamed) {
      CHECK(watcher.Seen().empty());
    } else {
      REQUIRE(watcher.Seen().size() == 1);
      CHECK(watcher.Seen()[0].window_class == L"#32770");
      CHECK(watcher.Seen()[0].caption == L"Tarvello Alfa 0.5");
    }
    CHECK(IsWindow(form.Handle()));
    CHECK_FALSE(ui::Application::Get().Terminated());
  }
}

TEST_CASE("a right click on an item opens the shell's own context menu for it") {
  DesktopFixture fixture;
  test::Desktop desktop;
  TForm1& form = *desktop;
  ui::ShellView& view = ViewOf(form);
  OpenFileManager(form);

  std::vector<std::wstring> expected = ShellMenuTexts(fixture.Path(kFileA));
  MenuSpy spy(view.Handle());
  test::DialogWatcher watcher(form.Handle());
  RightClick(ItemPoint(view, IndexOf(view, kFileA)));
  REQUIRE(test::PumpUntil([&] { return !watcher.Seen().empty(); }));
  test::Pump(100);

  CHECK(watcher.Seen()[0].window_class == L"#32768");
  CHECK(spy.seen);
  CHECK(expected.size() >= 3);
  CHECK(spy.texts == expected);
  // Closed without a choice: nothing happened to the file, and the desktop goes on.
  CHECK(Exists(fixture.Path(kFileA)));
  CHECK(IsWindow(form.Handle()));
  CHECK_FALSE(ui::Application::Get().Terminated());
}

}  // TEST_SUITE
