// The console's command line: Enter runs the typed command.
#include "commands/console_commands.h"
#include "commands/system_actions.h"
#include "desktop/form1.h"
#include "ui/text.h"

void TForm1::pt1KeyDown(ui::Component*, WORD& Key, ui::ShiftState) {
  if (Key != VK_RETURN) return;
  for (const commands::ConsoleCommand& command : commands::kConsoleCommands) {
    // The text is read again for every row, as an action may change what is on screen.
    if (ui::AsUtf16(pt1->Text()) != command.text) continue;
    if (!command.log_line.empty()) Memo1->AppendLine(ui::FromUtf16(command.log_line));
    switch (command.action) {
      case commands::ConsoleAction::ShowExplorer:
        ShowExplorer();
        break;
      case commands::ConsoleAction::Shutdown:
        Close();
        break;
      case commands::ConsoleAction::CloseTray:
        commands::CloseCdDoor(Handle());
        break;
      case commands::ConsoleAction::OpenTray:
        commands::OpenCdDoor(Handle());
        break;
      case commands::ConsoleAction::HideConsole:
        HideConsole();
        break;
    }
  }
  pt1->SetText(L"");
}
