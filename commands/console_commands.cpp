#include "commands/console_commands.h"

namespace commands {

const ConsoleCommand* MatchConsoleCommand(std::u16string_view text) {
  for (const ConsoleCommand& command : kConsoleCommands) {
    if (text == command.text) return &command;
  }
  return nullptr;
}

}  // namespace commands
