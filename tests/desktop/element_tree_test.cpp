#include <doctest/doctest.h>

#include <cstring>

#include "desktop/window_description.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/text.h"

using test::RectInParent;

namespace {

LOGFONTW FontOf(HFONT font) {
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  return description;
}

// The stored description with one piece of text replaced.
std::string DescriptionWith(const std::string& from, const std::string& to) {
  std::string text = StoredDesktopDescription();
  size_t at = text.find(from);
  REQUIRE(at != std::string::npos);
  return text.replace(at, from.size(), to);
}

}  // namespace

TEST_SUITE("element-tree") {

TEST_CASE("the desktop window fills the work area, frameless, with an empty caption") {
  test::Desktop desktop;
  HWND hwnd = desktop->Handle();
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT window;
  GetWindowRect(hwnd, &window);
  CHECK(window == area);
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  CHECK((style & WS_POPUP) != 0);
  CHECK((style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)) == 0);
  CHECK(IsWindowVisible(hwnd));
  CHECK(test::WindowText(hwnd).empty());
  CHECK(GetMenu(hwnd) == desktop->MainMenu1->Handle());

  // The taskbar entry belongs to the unowned application window and shows the title.
  HWND application = ui::Application::Get().Handle();
  CHECK(GetWindow(hwnd, GW_OWNER) == application);
  CHECK(GetWindow(application, GW_OWNER) == nullptr);
  CHECK(IsWindowVisible(application));
  CHECK(test::WindowText(application) == L"Tarvello Alfa 0.5");

  // The desktop surface fills the client area below the menu bar.
  RECT client;
  GetClientRect(hwnd, &client);
  RECT surface = RectInParent(desktop->Panel1->Handle());
  CHECK(surface == client);
  CHECK(client.bottom < window.bottom - window.top);
}

TEST_CASE("every element has its place, size and visibility") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  RECT surface;
  GetClientRect(form.Panel1->Handle(), &surface);
  struct Row {
    ui::Control* control;
    ui::WinControl* parent;
    RECT bounds;  // in the parent's client area
    bool visible;
  };
  const Row rows[] = {
      {form.Image3, form.Panel1, {1, 1, surface.right - 1, surface.bottom - 1}, true},
      {form.Label5, form.Panel1, {8, 8, 88, 21}, true},
      {form.Button2, form.Panel1, {8, 32, 40, 64}, true},
      {form.Panel2, form.Panel1, {120, 40, 409, 209}, false},
      {form.Image2, form.Panel2, {0, 0, 289, 9}, true},
      {form.CheckBox1, form.Panel2, {272, 0, 288, 17}, true},
      {form.Memo1, form.Panel2, {1, 24, 288, 161}, true},
      {form.mPanel3, form.Panel2, {1, 152, 288, 168}, true},
      {form.pt1, form.mPanel3, {0, 0, 289, 17}, true},
      {form.Panel3, form.Panel1, {216, 96, 497, 281}, false},
      {form.Image1, form.Panel3, {0, 0, 281, 9}, true},
      {form.CheckBox2, form.Panel3, {265, -3, 281, 14}, true},
      {form.Panel5, form.Panel1, {216, 24, 401, 217}, false},
      {form.Image5, form.Panel5, {0, 0, 185, 17}, true},
      {form.CheckBox5, form.Panel5, {169, 0, 185, 17}, true},
      {form.Image6, form.Panel5, {16, 32, 121, 137}, true},
      {form.Button1, form.Panel5, {16, 160, 121, 185}, true},
      {form.Panel6, form.Panel1, {73, 152, 529, 393}, false},
      {form.Image7, form.Panel6, {0, 0, 457, 17}, true},
      {form.CheckBox6, form.Panel6, {440, 0, 456, 17}, true},
  };
  for (const Row& row : rows) {
    CAPTURE(ui::Narrow(row.control->Name()));
    CHECK(row.control->Parent() == row.parent);
    RECT bounds = row.control->BoundsRect();
    CHECK(bounds == row.bounds);
    CHECK(row.control->Visible() == row.visible);
    if (auto* windowed = dynamic_cast<ui::WinControl*>(row.control)) {
      CHECK(GetParent(windowed->Handle()) == row.parent->Handle());
      RECT real = RectInParent(windowed->Handle());
      CHECK(real == row.bounds);
      CHECK(((GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & WS_VISIBLE) != 0) == row.visible);
    }
  }
}

TEST_CASE("texts, fonts, colours and settings of the elements") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  struct Title {
    ui::Label* label;
    const wchar_t* text;
    ui::WinControl* window;
  };
  const Title labels[] = {{form.Label5, L"build 1020", form.Panel1},
                          {form.Label1, L"Консоль", form.Panel2},
                          {form.Label2, L"Проводник", form.Panel3},
                          {form.Label4, L"Менеджер файлів", form.Panel5},
                          {form.Label6, L"Менеджер файлів", form.Panel6}};
  for (const Title& title : labels) {
    CAPTURE(ui::Narrow(title.label->Name()));
    CHECK(title.label->Caption() == title.text);
    CHECK(title.label->Parent() == title.window);
    CHECK(title.label->TextColor() == RGB(255, 255, 255));
    CHECK(title.label->Left() == (title.label == form.Label5 ? 8 : 0));
    CHECK(title.label->Top() == 8);
    LOGFONTW font = FontOf(title.label->Font());
    CHECK(std::wstring(font.lfFaceName) == L"Courier");
    CHECK(font.lfHeight == -11);
    CHECK(font.lfCharSet == RUSSIAN_CHARSET);
  }

  LOGFONTW window_font = FontOf(form.Font());
  CHECK(std::wstring(window_font.lfFaceName) == L"MS Sans Serif");
  CHECK(window_font.lfHeight == -11);
  CHECK(FontOf(form.Memo1->Font()).lfHeight == -11);
  CHECK(std::wstring(FontOf(form.Memo1->Font()).lfFaceName) == L"MS Sans Serif");
  CHECK(std::wstring(FontOf(form.pt1->Font()).lfFaceName) == L"Courier");
  CHECK(reinterpret_cast<HFONT>(SendMessageW(form.pt1->Handle(), WM_GETFONT, 0, 0)) == form.pt1->Font());

  CHECK(form.Button2->Text() == L"C");
  CHECK(form.Button1->Text() == L"Прийняти");

  // The log: read-only, borderless, empty, and no limit that would drop lines.
  HWND memo = form.Memo1->Handle();
  LONG_PTR memo_style = GetWindowLongPtrW(memo, GWL_STYLE);
  CHECK((memo_style & ES_MULTILINE) != 0);
  CHECK((memo_style & ES_READONLY) != 0);
  CHECK((memo_style & WS_BORDER) == 0);
  CHECK((GetWindowLongPtrW(memo, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0);
  CHECK(form.Memo1->Text().empty());
  CHECK(SendMessageW(memo, EM_GETLIMITTEXT, 0, 0) > 1000000);

  // The command line: single line, borderless, empty.
  HWND line = form.pt1->Handle();
  CHECK((GetWindowLongPtrW(line, GWL_STYLE) & (ES_MULTILINE | WS_BORDER)) == 0);
  CHECK((GetWindowLongPtrW(line, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0);
  CHECK(form.pt1->Text().empty());

  for (ui::CheckBox* box : {form.CheckBox1, form.CheckBox2, form.CheckBox5, form.CheckBox6}) {
    CAPTURE(ui::Narrow(box->Name()));
    CHECK(box->Checked());
    CHECK(box->Text().empty());
    CHECK(box->Color() == RGB(255, 255, 255));
  }
  for (ui::Panel* panel : {form.Panel1, form.Panel2, form.Panel3, form.Panel5, form.Panel6, form.mPanel3}) {
    CAPTURE(ui::Narrow(panel->Name()));
    CHECK(panel->Color() == RGB(255, 255, 255));
    CHECK(panel->BevelWidth() == (panel == form.mPanel3 ? 0 : 1));
  }
}

TEST_CASE("stacking on the desktop: console, explorer, background, button, file manager") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  const std::vector<HWND> expected = {form.Panel6->Handle(), form.Button2->Handle(), form.Panel5->Handle(),
                                      form.Panel3->Handle(), form.Panel2->Handle()};
  CHECK(test::ChildrenTopToBottom(form.Panel1->Handle()) == expected);

  // Showing, clicking and hiding the windows leaves the order as it was.
  test::DialogWatcher watcher(form.Handle());
  for (ui::MenuItem* item : {form.N5, form.N2, form.N6}) test::ChooseMenuItem(form, *item);
  test::Click(*form.Button2);
  for (ui::Panel* panel : {form.Panel2, form.Panel3, form.Panel5, form.Panel6}) test::Click(test::ScreenPoint(*panel, 3, 20));
  CHECK(test::ChildrenTopToBottom(form.Panel1->Handle()) == expected);
  test::Click(*form.CheckBox2);
  test::Click(*form.CheckBox1);
  CHECK(test::ChildrenTopToBottom(form.Panel1->Handle()) == expected);
}

TEST_CASE("pictures: the wallpaper stretched, title strips scaled down at the top left") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  REQUIRE(form.Image3->GetImage());
  CHECK(form.Image3->GetImage()->Width() == 1280);
  CHECK(form.Image3->GetImage()->Height() == 1024);
  CHECK(form.Image3->GetFit() == ui::Picture::Fit::Stretch);
  RECT wallpaper = form.Image3->DrawnRect();
  RECT bounds = form.Image3->BoundsRect();
  CHECK(wallpaper == bounds);
  CHECK(form.Image3->GetPopupMenu() == form.PopupMenu1);

  struct Strip {
    ui::Picture* picture;
    RECT drawn;
  };
  // 1000x28 scaled to fit: the width binds for every strip.
  const Strip strips[] = {{form.Image2, {0, 0, 289, 8}},
                          {form.Image1, {0, 0, 281, 7}},
                          {form.Image5, {0, 0, 185, 5}},
                          {form.Image7, {0, 0, 457, 12}}};
  for (const Strip& strip : strips) {
    CAPTURE(ui::Narrow(strip.picture->Name()));
    REQUIRE(strip.picture->GetImage());
    CHECK(strip.picture->GetImage()->Width() == 1000);
    CHECK(strip.picture->GetImage()->Height() == 28);
    RECT drawn = strip.picture->DrawnRect();
    CHECK(drawn == strip.drawn);
  }
  CHECK(form.Image6->GetImage() == nullptr);

  // What reaches the screen: night-blue wallpaper, and a strip running from blue to yellow.
  form.ShowFileManager();
  test::Pump(100);
  HDC screen = GetDC(nullptr);
  POINT sky = test::ScreenPoint(*form.Image3, 700, 300);
  COLORREF sky_colour = GetPixel(screen, sky.x, sky.y);
  POINT left = test::ScreenPoint(*form.Image7, 20, 6);
  POINT right = test::ScreenPoint(*form.Image7, 437, 6);
  COLORREF left_colour = GetPixel(screen, left.x, left.y);
  COLORREF right_colour = GetPixel(screen, right.x, right.y);
  ReleaseDC(nullptr, screen);
  CHECK(GetBValue(sky_colour) > GetRValue(sky_colour));
  CHECK(GetBValue(sky_colour) < 160);
  CHECK(GetBValue(left_colour) > GetRValue(left_colour) + 60);
  CHECK(GetRValue(right_colour) > GetBValue(right_colour) + 60);
}

TEST_CASE("a description that names what does not exist fails loudly when the window is built") {
  ui::Application::Get().Initialize();
  struct Case {
    std::string from, to, message_part;
  };
  const Case cases[] = {
      {"onClick=N2Click", "onClick=N2Clack", "TForm1 has no handler N2Clack"},
      {"onClick=N2Click", "onClick=N2Click wobble=yes", "unknown setting wobble"},
      {"button     Button2", "button     Button9", "Button2 is not described"},
      {"checkbox   CheckBox6    parent=Panel6 at=440,0 size=16,17 color=white checked=yes",
       "button     CheckBox6    parent=Panel6 at=440,0 size=16,17", "not of the kind"},
      {"picture=WALLPAPER", "picture=NO_SUCH_PICTURE", "NO_SUCH_PICTURE"},
      {"at=120,40", "at=120", "two numbers"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.to);
    try {
      TForm1 form(DescriptionWith(c.from, c.to));
      FAIL("the window was built");
    } catch (const std::exception& error) {
      CHECK(std::string(error.what()).find(c.message_part) != std::string::npos);
    }
  }
}

}  // TEST_SUITE
