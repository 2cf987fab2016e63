#include <doctest/doctest.h>

#include <stdexcept>

#include "test_support.h"
#include "ui/application.h"
#include "ui/error.h"

namespace {

struct PointerEvent {
  char kind;  // 'm' move, 'u' release
  int x, y;
  bool operator==(const PointerEvent&) const = default;
};

doctest::String toString(const PointerEvent& e) {
  return doctest::String(std::string(1, e.kind).c_str()) + "(" + doctest::toString(e.x) + "," +
         doctest::toString(e.y) + ")";
}

}  // namespace

TEST_SUITE("components") {

TEST_CASE("a failure escaping a handler shows the default error box, and the desktop goes on") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  int clicks = 0;
  form.Button2->onClick = [&](ui::Component*) {
    ++clicks;
    if (clicks == 1) throw ui::Error(L"Не вдалося: файл зник");
    throw std::runtime_error("plain failure");
  };
  test::DialogWatcher watcher(form.Handle());
  test::Click(*form.Button2);
  test::PumpUntil([&] { return watcher.Seen().size() == 1; });
  test::Click(*form.Button2);
  test::PumpUntil([&] { return watcher.Seen().size() == 2; });

  REQUIRE(watcher.Seen().size() == 2);
  CHECK(clicks == 2);
  CHECK(watcher.Seen()[0].caption == L"Tarvello Alfa 0.5");
  CHECK(watcher.Seen()[0].texts == std::vector<std::wstring>{L"Не вдалося: файл зник"});
  CHECK(watcher.Seen()[1].texts == std::vector<std::wstring>{L"plain failure"});
  CHECK(IsWindow(form.Handle()));
  CHECK_FALSE(ui::Application::Get().Terminated());

  // Other handlers still work.
  test::ChooseMenuItem(form, *form.N2);
  CHECK(form.Panel3->Visible());
}

TEST_CASE("the wallpaper receives pointer moves and releases by hit-testing, and holds the mouse for the left button") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  std::vector<PointerEvent> events;
  form.Image3->onMouseMove = [&](ui::Component* sender, ui::ShiftState, int x, int y) {
    CHECK(sender == form.Image3);
    events.push_back({'m', x, y});
  };
  form.Image3->onMouseUp = [&](ui::Component*, ui::MouseButton, ui::ShiftState, int x, int y) {
    events.push_back({'u', x, y});
  };
  form.ShowConsole();  // an inner window to release over
  test::Pump();

  SUBCASE("moves in the wallpaper's own coordinates") {
    test::MoveMouse(test::ScreenPoint(*form.Image3, 500, 450));
    test::PumpUntil([&] { return !events.empty(); });
    REQUIRE_FALSE(events.empty());
    CHECK(events.back() == PointerEvent{'m', 500, 450});
  }
  SUBCASE("nothing over the build label or the button") {
    test::MoveMouse(test::ScreenPoint(*form.Label5, 4, 4));
    test::Click(test::ScreenPoint(*form.Label5, 6, 6));
    test::Click(test::ScreenPoint(*form.Button2, 6, 6), test::Button::Middle);
    CHECK(events.empty());
  }
  SUBCASE("left button: the move and release over an inner window still reach the wallpaper") {
    test::MoveMouse(test::ScreenPoint(*form.Image3, 700, 500));
    test::PressMouse(test::Button::Left);
    POINT over_console = test::ScreenPoint(*form.Panel2, 100, 100);
    test::MoveMouse(over_console);
    test::ReleaseMouse(test::Button::Left);
    test::Pump();
    POINT expected = over_console;
    ScreenToClient(form.Panel1->Handle(), &expected);
    REQUIRE(events.size() >= 2);
    CHECK(events[events.size() - 2] == PointerEvent{'m', expected.x - 1, expected.y - 1});
    CHECK(events.back() == PointerEvent{'u', expected.x - 1, expected.y - 1});
  }
  SUBCASE("right button: a release over an inner window does not reach the wallpaper") {
    test::DialogWatcher watcher(form.Handle());
    test::MoveMouse(test::ScreenPoint(*form.Image3, 700, 500));
    test::PressMouse(test::Button::Right);
    test::MoveMouse(test::ScreenPoint(*form.Panel2, 100, 100));
    events.clear();
    test::ReleaseMouse(test::Button::Right);
    test::Pump();
    CHECK(events.empty());
  }
}

TEST_CASE("the log keeps every appended line past the edit control's default limit") {
  test::Desktop desktop;
  TForm1& form = *desktop;
  const int lines = 4000;  // about 100,000 characters, three times the default limit
  for (int i = 0; i < lines; ++i) form.Memo1->AppendLine(L"рядок журналу номер " + std::to_wstring(i));
  CHECK(form.Memo1->LineCount() == lines);
  CHECK(form.Memo1->Line(0) == L"рядок журналу номер 0");
  CHECK(form.Memo1->Line(lines - 1) == L"рядок журналу номер 3999");
}

}  // TEST_SUITE
