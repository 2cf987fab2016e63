#include <doctest/doctest.h>

#include "test_support.h"

namespace {

// A point on the desktop surface, in its own coordinates, on the screen.
POINT OnDesktop(TForm1& form, int x, int y) { return test::ScreenPoint(form.Panel1->Handle(), x, y); }

POINT Corner(const ui::Control& control) { return POINT{control.Left(), control.Top()}; }

bool operator==(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

}  // namespace

namespace doctest {
template <>
struct StringMaker<POINT> {
  static String convert(POINT p) { return String("(") + toString(p.x) + "," + toString(p.y) + ")"; }
};
}  // namespace doctest

TEST_SUITE("placement") {

TEST_CASE("choose a window by its bare surface, then click the wallpaper to move it there") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  RECT surface;
  GetClientRect(form.Panel1->Handle(), &surface);
  {
    test::DialogWatcher watcher(form.Handle());
    test::ChooseMenuItem(form, *form.N6);  // the background window (its dialog is cancelled)
  }
  for (ui::MenuItem* item : {form.N2, form.N5}) test::ChooseMenuItem(form, *item);
  test::Click(*form.Button2);
  const std::vector<HWND> stacking = test::ChildrenTopToBottom(form.Panel1->Handle());
  const RECT sizes[] = {form.Panel2->BoundsRect(), form.Panel3->BoundsRect(), form.Panel5->BoundsRect(),
                        form.Panel6->BoundsRect()};

  // Nothing chosen yet: the wallpaper moves nothing.
  test::Click(OnDesktop(form, 900, 600));
  CHECK(form.Placement.SelectedWindow == 0);
  CHECK(Corner(*form.Panel2) == POINT{120, 40});
  CHECK(Corner(*form.Panel5) == POINT{216, 24});
  CHECK(Corner(*form.Panel6) == POINT{73, 152});

  struct Row {
    const char* what;
    ui::Panel* chosen;  // the window whose surface is clicked
    POINT on_surface;   // a bare place on it
    int selected;
    POINT click;        // then a click here on the wallpaper
  };
  const Row rows[] = {
      // Left of the background window, which covers the rest of the console's title band.
      {"console", form.Panel2, {80, 15}, 3, {500, 400}},
      {"console again, without choosing", nullptr, {}, 3, {800, 650}},
      {"file manager", form.Panel6, {300, 30}, 1, {640, 300}},
      {"background window", form.Panel5, {150, 27}, 2, {1000, 120}},
      {"past the right and bottom edges", nullptr, {}, 2, {static_cast<int>(surface.right) - 4, static_cast<int>(surface.bottom) - 3}},
  };
  for (const Row& row : rows) {
    std::string what = row.what;
    CAPTURE(what);
    if (row.chosen) test::Click(*row.chosen, row.on_surface.x, row.on_surface.y);
    REQUIRE(form.Placement.SelectedWindow == row.selected);
    ui::Panel* moved = row.selected == 1 ? form.Panel6 : row.selected == 2 ? form.Panel5 : form.Panel2;
    test::Click(OnDesktop(form, row.click.x, row.click.y));
    CHECK(Corner(*moved) == POINT{row.click.x - 1, row.click.y - 1});
  }

  // The explorer cannot be chosen, nor can a window by its title strip, title or close box's neighbours.
  for (POINT p : {test::ScreenPoint(*form.Panel3, 200, 22), test::ScreenPoint(*form.Image7, 200, 5),
                  test::ScreenPoint(*form.Label6, 10, 6)}) {
    test::Click(p);
    CHECK(form.Placement.SelectedWindow == 2);
  }
  CHECK(Corner(*form.Panel3) == POINT{216, 96});

  // Sizes, visibility and stacking are untouched.
  const RECT after[] = {form.Panel2->BoundsRect(), form.Panel3->BoundsRect(), form.Panel5->BoundsRect(),
                        form.Panel6->BoundsRect()};
  for (int i = 0; i < 4; ++i) {
    CHECK(after[i].right - after[i].left == sizes[i].right - sizes[i].left);
    CHECK(after[i].bottom - after[i].top == sizes[i].bottom - sizes[i].top);
  }
  CHECK(test::ChildrenTopToBottom(form.Panel1->Handle()) == stacking);
  CHECK(form.Panel2->Visible());
  CHECK(form.Panel5->Visible());
}

TEST_CASE("which buttons and pointer paths move the chosen window") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  test::Click(*form.Button2);
  test::Click(*form.Panel2, 200, 15);
  REQUIRE(form.Placement.SelectedWindow == 3);

  SUBCASE("right click: moves, and the context menu opens") {
    test::DialogWatcher watcher(form.Handle());
    test::Click(OnDesktop(form, 700, 500), test::Button::Right);
    test::PumpUntil([&] { return !watcher.Seen().empty(); });
    CHECK(Corner(*form.Panel2) == POINT{699, 499});
    REQUIRE(watcher.Seen().size() == 1);
    CHECK(watcher.Seen()[0].window_class == L"#32768");
  }
  SUBCASE("middle click: moves") {
    test::Click(OnDesktop(form, 650, 450), test::Button::Middle);
    CHECK(Corner(*form.Panel2) == POINT{649, 449});
  }
  SUBCASE("left press on the wallpaper, release over a window: the wallpaper holds the mouse") {
    form.ShowExplorer();
    test::MoveMouse(OnDesktop(form, 900, 600));
    test::PressMouse(test::Button::Left);
    test::MoveMouse(test::ScreenPoint(*form.Panel3, 100, 100));  // over the explorer: 316,196 on the desktop
    test::ReleaseMouse(test::Button::Left);
    CHECK(Corner(*form.Panel2) == POINT{315, 195});
  }
  SUBCASE("right press on the wallpaper, release over a window: no move") {
    test::DialogWatcher watcher(form.Handle());
    form.ShowExplorer();
    test::MoveMouse(OnDesktop(form, 900, 600));
    test::PressMouse(test::Button::Right);
    test::MoveMouse(test::ScreenPoint(*form.Panel3, 100, 100));
    test::ReleaseMouse(test::Button::Right);
    test::Pump(200);
    CHECK(Corner(*form.Panel2) == POINT{120, 40});
  }
  SUBCASE("the build label and the button C record nothing and move nothing") {
    test::MoveMouse(OnDesktop(form, 300, 300));
    REQUIRE(form.Placement.LastMouseX == 299);
    test::MoveMouse(test::ScreenPoint(*form.Label5, 20, 6));
    test::Click(test::ScreenPoint(*form.Label5, 20, 6));
    test::MoveMouse(test::ScreenPoint(*form.Button2, 16, 16));
    test::Click(test::ScreenPoint(*form.Button2, 16, 16), test::Button::Middle);
    CHECK(form.Placement.LastMouseX == 299);
    CHECK(form.Placement.LastMouseY == 299);
    CHECK(Corner(*form.Panel2) == POINT{120, 40});
  }
  SUBCASE("a hidden window moves all the same and shows up at its new place") {
    test::Click(*form.CheckBox1, 13, 8);
    REQUIRE_FALSE(form.Panel2->Visible());
    test::Click(OnDesktop(form, 760, 330));
    CHECK(Corner(*form.Panel2) == POINT{759, 329});
    CHECK_FALSE(form.Panel2->Visible());
    test::Click(*form.Button2);
    CHECK(form.Panel2->Visible());
    CHECK(test::RectInParent(form.Panel2->Handle()) == RECT{759, 329, 759 + 289, 329 + 169});
  }
}

}  // TEST_SUITE
