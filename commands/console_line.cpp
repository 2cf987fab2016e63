// The console's command line: Enter runs the typed command.
#include "commands/console_commands.h"
#include "commands/system_actions.h"
#include "desktop/form1.h"

void TForm1::pt1KeyDown(ui::Component*, WORD& Key, ui::ShiftState) {
  if (Key != VK_RETURN) return;
  for (const commands::ConsoleCommand& command : commands::kConsoleCommands) {
    // The text is read again for every row, as an action may change what is on screen.
    std::wstring text = pt1->Text();
    if (std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()) != command.text) continue;
    if (!command.log_line.empty()) {
      Memo1->AppendLine(std::wstring(reinterpret_cast<const wchar_t*>(command.log_line.data()), command.log_line.size()));
    }
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
