// The console's command table, matched without any window.
#pragma once

#include <string_view>

namespace commands {

enum class ConsoleAction { ShowExplorer, Shutdown, CloseTray, OpenTray, HideConsole };

struct ConsoleCommand {
  std::u16string_view text;      // typed exactly, whole, case-sensitive
  std::u16string_view log_line;  // appended to the log before the action; empty: none
  ConsoleAction action;
};

// In the order they are tested.
inline constexpr ConsoleCommand kConsoleCommands[] = {
    {u"st explore", u"", ConsoleAction::ShowExplorer},
    {u"shutdown", u"Система вимикається", ConsoleAction::Shutdown},
    {u"close", u"Закрит", ConsoleAction::CloseTray},
    {u"open", u"Відкрит", ConsoleAction::OpenTray},
    {u"exit", u"", ConsoleAction::HideConsole},
};

// The command the whole text names, or null. Texts are compared as typed,
// character for character: nothing is trimmed and letter case counts.
const ConsoleCommand* MatchConsoleCommand(std::u16string_view text);

}  // namespace commands
