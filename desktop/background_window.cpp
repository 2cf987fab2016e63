// The background window: choosing a picture file previews it, "Прийняти"
// makes the preview the wallpaper. Nothing is stored; the next start shows
// the built-in wallpaper again.
#include "desktop/form1.h"

// "Налаштувати фон": shows the background window, then runs the open dialog, every time.
void TForm1::N6Click(ui::Component*) {
  ShowBackground();
  if (OpenDialog1->Execute(Handle())) PreviewBackground(OpenDialog1->FileName());
}

void TForm1::PreviewBackground(const std::wstring& path) {
  // Read, decoded and rendered before Image6 changes, so a bad file is
  // reported at once (by the window procedure's error box) and changes nothing.
  Image6->ShowImage(ui::Image::FromFile(path));
}

// "Прийняти": the previewed picture becomes the wallpaper, stretched to fill;
// without a preview there is nothing to apply.
void TForm1::Button1Click(ui::Component*) {
  if (const std::shared_ptr<const ui::Image>& preview = Image6->SharedImage()) Image3->ShowImage(preview);
}
