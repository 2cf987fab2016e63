#include <doctest/doctest.h>

#include "commands/console_commands.h"

using commands::ConsoleAction;

TEST_CASE("console commands match the whole text exactly, and nothing else does") {
  struct Case {
    const char16_t* text;
    const ConsoleAction* action;  // null: no command
  };
  static constexpr ConsoleAction explore = ConsoleAction::ShowExplorer, shutdown = ConsoleAction::Shutdown,
                                 close = ConsoleAction::CloseTray, open = ConsoleAction::OpenTray,
                                 exit = ConsoleAction::HideConsole;
  const Case cases[] = {
      {u"st explore", &explore}, {u"shutdown", &shutdown}, {u"close", &close},     {u"open", &open},
      {u"exit", &exit},          {u"Open", nullptr},       {u"OPEN", nullptr},     {u" open", nullptr},
      {u"open ", nullptr},       {u"st  explore", nullptr}, {u"stexplore", nullptr}, {u"", nullptr},
      {u"оpen", nullptr},  // Cyrillic о
      {u"\uFF4Fpen", nullptr},  // fullwidth o, which a lossy conversion to an 8-bit code page could turn into "open"
      {u"open\r", nullptr},      {u"exi", nullptr},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    CAPTURE(i);
    const commands::ConsoleCommand* found = commands::MatchConsoleCommand(cases[i].text);
    REQUIRE((found != nullptr) == (cases[i].action != nullptr));
    if (found) CHECK(found->action == *cases[i].action);
  }
}

TEST_CASE("log lines: only shutdown, close and open answer") {
  CHECK(commands::MatchConsoleCommand(u"shutdown")->log_line == u"Система вимикається");
  CHECK(commands::MatchConsoleCommand(u"close")->log_line == u"Закрит");
  CHECK(commands::MatchConsoleCommand(u"open")->log_line == u"Відкрит");
  CHECK(commands::MatchConsoleCommand(u"st explore")->log_line.empty());
  CHECK(commands::MatchConsoleCommand(u"exit")->log_line.empty());
}
