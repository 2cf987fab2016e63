// The desktop window: its elements, built from the stored window description,
// and the handlers its events are bound to by name.
#pragma once

#include "desktop/window_placement.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/edit.h"
#include "ui/file_list_box.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/menu.h"
#include "ui/open_dialog.h"
#include "ui/panel.h"
#include "ui/picture.h"
#include "ui/shell_view.h"

class TForm1 : public ui::Form {
 public:
  // Builds every element from the window description stored with the program.
  TForm1();
  // Builds from the given description text (UTF-8).
  explicit TForm1(const std::string& description);

  // Desktop surface
  ui::Panel* Panel1 = nullptr;
  ui::Picture* Image3 = nullptr;
  ui::Label* Label5 = nullptr;
  ui::Button* Button2 = nullptr;
  ui::MainMenu* MainMenu1 = nullptr;
  ui::MenuItem* N1 = nullptr;
  ui::MenuItem* N2 = nullptr;
  ui::MenuItem* N3 = nullptr;
  ui::MenuItem* N5 = nullptr;
  ui::MenuItem* N4 = nullptr;
  ui::PopupMenu* PopupMenu1 = nullptr;
  ui::MenuItem* N6 = nullptr;
  ui::OpenDialog* OpenDialog1 = nullptr;

  // Console window
  ui::Panel* Panel2 = nullptr;
  ui::Picture* Image2 = nullptr;
  ui::Label* Label1 = nullptr;
  ui::CheckBox* CheckBox1 = nullptr;
  ui::Memo* Memo1 = nullptr;
  ui::Panel* mPanel3 = nullptr;
  ui::Edit* pt1 = nullptr;

  // Explorer window
  ui::Panel* Panel3 = nullptr;
  ui::Picture* Image1 = nullptr;
  ui::Label* Label2 = nullptr;
  ui::CheckBox* CheckBox2 = nullptr;
  ui::FileListBox* FileListBox1 = nullptr;

  // Background window
  ui::Panel* Panel5 = nullptr;
  ui::Picture* Image5 = nullptr;
  ui::Label* Label4 = nullptr;
  ui::CheckBox* CheckBox5 = nullptr;
  ui::Picture* Image6 = nullptr;
  ui::Button* Button1 = nullptr;

  // File-manager window
  ui::Panel* Panel6 = nullptr;
  ui::Picture* Image7 = nullptr;
  ui::Label* Label6 = nullptr;
  ui::CheckBox* CheckBox6 = nullptr;
  ui::ShellView* ShellListView2 = nullptr;

  // Which window the wallpaper moves, and where the pointer last was over it.
  desktop::WindowPlacement Placement;

  // Showing and hiding the inner windows: visibility only, never place or stacking.
  void ShowConsole();
  void HideConsole();
  void ShowExplorer();
  void HideExplorer();
  void ShowBackground();
  void HideBackground();
  void ShowFileManager();
  void HideFileManager();

  // The background window's preview: the picture file, decoded and shown in
  // Image6 at once; throws (changing nothing) when it is not a readable picture.
  void PreviewBackground(const std::wstring& path);

  // Event handlers
  void Button2Click(ui::Component* Sender);
  void N2Click(ui::Component* Sender);
  void N3Click(ui::Component* Sender);
  void N5Click(ui::Component* Sender);
  void N4Click(ui::Component* Sender);
  void N6Click(ui::Component* Sender);
  void Button1Click(ui::Component* Sender);
  void CheckBox1Click(ui::Component* Sender);
  void CheckBox2Click(ui::Component* Sender);
  void CheckBox5Click(ui::Component* Sender);
  void CheckBox3Click(ui::Component* Sender);
  void pt1KeyDown(ui::Component* Sender, WORD& Key, ui::ShiftState Shift);
  void FileListBox1DblClick(ui::Component* Sender);
  void Panel6Click(ui::Component* Sender);
  void Panel5Click(ui::Component* Sender);
  void Panel2Click(ui::Component* Sender);
  void Image3MouseMove(ui::Component* Sender, ui::ShiftState Shift, int X, int Y);
  void Image3MouseUp(ui::Component* Sender, ui::MouseButton Button, ui::ShiftState Shift, int X, int Y);
};

// The window description stored in the program's resources.
std::string StoredDesktopDescription();
