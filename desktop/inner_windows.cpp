// The inner windows' show and hide operations and the events that call them.
#include "desktop/form1.h"

void TForm1::ShowConsole() { Panel2->Show(); }
void TForm1::HideConsole() { Panel2->Hide(); }
void TForm1::ShowExplorer() { Panel3->Show(); }
void TForm1::HideExplorer() { Panel3->Hide(); }
void TForm1::ShowBackground() { Panel5->Show(); }
void TForm1::HideBackground() { Panel5->Hide(); }
void TForm1::ShowFileManager() { Panel6->Show(); }
void TForm1::HideFileManager() { Panel6->Hide(); }

// Button "C": shows the console without taking the focus to it.
void TForm1::Button2Click(ui::Component*) { ShowConsole(); }

// Menu "Консоль": shows the console and puts the focus in its command line.
void TForm1::N3Click(ui::Component*) {
  ShowConsole();
  pt1->SetFocus();
}

void TForm1::N2Click(ui::Component*) { ShowExplorer(); }
void TForm1::N5Click(ui::Component*) { ShowFileManager(); }

// "Вийти з системи": closing the desktop window ends the program, without asking.
void TForm1::N4Click(ui::Component*) { Close(); }

// Close boxes: the box has already toggled its mark; the window goes away.
void TForm1::CheckBox1Click(ui::Component*) { HideConsole(); }
void TForm1::CheckBox2Click(ui::Component*) { HideExplorer(); }
void TForm1::CheckBox5Click(ui::Component*) { HideBackground(); }
void TForm1::CheckBox3Click(ui::Component*) { HideFileManager(); }
