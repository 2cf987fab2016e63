#include "desktop/form1_bindings.h"

namespace desktop {
namespace {

template <class T>
FieldBinding Field(T* TForm1::*member) {
  return FieldBinding{
      [member](TForm1& form, ui::Component* component) {
        auto* typed = dynamic_cast<T*>(component);
        if (!typed) return false;
        form.*member = typed;
        return true;
      },
      [member](const TForm1& form) { return form.*member != nullptr; }};
}

#define TARVELLO_HANDLER(name) \
  { #name, Handler(&TForm1::name) }
#define TARVELLO_FIELD(name) \
  { #name, Field(&TForm1::name) }

}  // namespace

const std::map<std::string, Handler>& FormHandlers() {
  static const std::map<std::string, Handler> handlers = {
      TARVELLO_HANDLER(Button2Click),   TARVELLO_HANDLER(N2Click),        TARVELLO_HANDLER(N3Click),
      TARVELLO_HANDLER(N5Click),        TARVELLO_HANDLER(N4Click),        TARVELLO_HANDLER(N6Click),
      TARVELLO_HANDLER(CheckBox1Click), TARVELLO_HANDLER(CheckBox2Click), TARVELLO_HANDLER(CheckBox5Click),
      TARVELLO_HANDLER(CheckBox3Click), TARVELLO_HANDLER(pt1KeyDown),
      TARVELLO_HANDLER(FileListBox1DblClick), TARVELLO_HANDLER(Panel6Click), TARVELLO_HANDLER(Panel5Click),
      TARVELLO_HANDLER(Panel2Click),    TARVELLO_HANDLER(Image3MouseMove), TARVELLO_HANDLER(Image3MouseUp),
      TARVELLO_HANDLER(Button1Click),
  };
  return handlers;
}

const std::map<std::string, FieldBinding>& FormFields() {
  static const std::map<std::string, FieldBinding> fields = {
      TARVELLO_FIELD(Panel1),    TARVELLO_FIELD(Image3),    TARVELLO_FIELD(Label5),      TARVELLO_FIELD(Button2),
      TARVELLO_FIELD(MainMenu1), TARVELLO_FIELD(N1),        TARVELLO_FIELD(N2),          TARVELLO_FIELD(N3),
      TARVELLO_FIELD(N5),        TARVELLO_FIELD(N4),        TARVELLO_FIELD(PopupMenu1),  TARVELLO_FIELD(N6),
      TARVELLO_FIELD(OpenDialog1), TARVELLO_FIELD(Panel2),  TARVELLO_FIELD(Image2),      TARVELLO_FIELD(Label1),
      TARVELLO_FIELD(CheckBox1), TARVELLO_FIELD(Memo1),     TARVELLO_FIELD(mPanel3),     TARVELLO_FIELD(pt1),
      TARVELLO_FIELD(Panel3),    TARVELLO_FIELD(Image1),    TARVELLO_FIELD(Label2),      TARVELLO_FIELD(CheckBox2),
      TARVELLO_FIELD(Panel5),    TARVELLO_FIELD(Image5),    TARVELLO_FIELD(Label4),      TARVELLO_FIELD(CheckBox5),
      TARVELLO_FIELD(Image6),    TARVELLO_FIELD(Button1),   TARVELLO_FIELD(Panel6),      TARVELLO_FIELD(Image7),
      TARVELLO_FIELD(Label6),    TARVELLO_FIELD(CheckBox6),   TARVELLO_FIELD(FileListBox1),
      TARVELLO_FIELD(ShellListView2),
  };
  return fields;
}

}  // namespace desktop
