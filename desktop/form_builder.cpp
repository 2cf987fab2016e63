#include "desktop/form_builder.h"

#include <memory>
#include <optional>

#include "desktop/form1_bindings.h"
#include "ui/text.h"

namespace desktop {
namespace {

[[noreturn]] void Fail(const ElementDescription& element, const std::string& what) {
  throw DescriptionError("window description, line " + std::to_string(element.line) + " (" + element.name +
                         "): " + what);
}

// The settings of one element; each is taken once, and any left over is an error.
class Settings {
 public:
  explicit Settings(const ElementDescription& element) : element_(element), rest_(element.properties) {}

  std::optional<std::string> Take(const std::string& key) {
    auto found = rest_.find(key);
    if (found == rest_.end()) return std::nullopt;
    std::string value = found->second;
    rest_.erase(found);
    return value;
  }
  std::string TakeOr(const std::string& key, const std::string& fallback) { return Take(key).value_or(fallback); }

  template <class Parse>
  auto Parsed(const std::string& key, Parse parse) -> std::optional<decltype(parse(std::string()))> {
    auto value = Take(key);
    if (!value) return std::nullopt;
    try {
      return parse(*value);
    } catch (const DescriptionError& error) {
      Fail(element_, key + ": " + error.what());
    }
  }

  void ExpectNoneLeft() const {
    if (!rest_.empty()) Fail(element_, "unknown setting " + rest_.begin()->first);
  }

 private:
  const ElementDescription& element_;
  std::map<std::string, std::string> rest_;
};

COLORREF ParseColor(const std::string& value) {
  if (value == "white") return RGB(255, 255, 255);
  if (value == "black") return RGB(0, 0, 0);
  if (value == "btnface") return GetSysColor(COLOR_BTNFACE);
  if (value == "window") return GetSysColor(COLOR_WINDOW);
  if (value.size() == 7 && value[0] == '#' && value.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos) {
    unsigned long rgb = std::stoul(value.substr(1), nullptr, 16);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  }
  throw DescriptionError("not a colour: \"" + value + "\"");
}

ui::Align ParseAlign(const std::string& value) {
  if (value == "client") return ui::Align::Client;
  if (value == "bottom") return ui::Align::Bottom;
  if (value == "none") return ui::Align::None;
  throw DescriptionError("not an alignment: \"" + value + "\"");
}

ui::Picture::Fit ParseFit(const std::string& value) {
  if (value == "stretch") return ui::Picture::Fit::Stretch;
  if (value == "proportional") return ui::Picture::Fit::Proportional;
  if (value == "proportional-center") return ui::Picture::Fit::ProportionalCenter;
  if (value == "normal") return ui::Picture::Fit::Normal;
  throw DescriptionError("not a picture fit: \"" + value + "\"");
}

class Builder {
 public:
  explicit Builder(TForm1& form) : form_(form) {}

  void Build(const std::vector<ElementDescription>& elements) {
    for (const ElementDescription& element : elements) {
      Settings settings(element);
      ui::Component* component = element.parent.empty() ? BuildRoot(element, settings) : BuildChild(element, settings);
      settings.ExpectNoneLeft();
      AssignField(element, component);
    }
    if (pending_menu_) {
      auto* menu = dynamic_cast<ui::MainMenu*>(form_.FindComponent(ui::Widen(*pending_menu_)));
      if (!menu) Fail(elements.front(), "menu " + *pending_menu_ + " is not a menu bar");
      form_.SetMainMenu(menu);
    }
    for (const auto& [name, field] : FormFields()) {
      if (!field.assigned(form_)) {
        throw DescriptionError("window description: TForm1's element " + name + " is not described");
      }
    }
  }

 private:
  ui::Component* BuildRoot(const ElementDescription& element, Settings& settings) {
    if (element.kind != "form" || ui::Widen(element.name) != form_.Name()) {
      Fail(element, "the first element must be the form " + ui::Narrow(form_.Name()));
    }
    if (settings.TakeOr("border", "none") != "none") Fail(element, "only border=none is supported");
    std::string align = settings.TakeOr("align", "workarea");
    if (align != "workarea" && align != "none") Fail(element, "align must be workarea or none");
    COLORREF color = settings.Parsed("color", ParseColor).value_or(GetSysColor(COLOR_BTNFACE));
    HFONT font = Font(element, settings);
    pending_menu_ = settings.Take("menu");
    form_.CreateForm(align == "workarea", color, font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    return &form_;
  }

  ui::Component* BuildChild(const ElementDescription& element, Settings& settings) {
    ui::Component* parent = form_.FindComponent(ui::Widen(element.parent));
    const std::string& kind = element.kind;
    std::wstring name = ui::Widen(element.name);
    if (kind == "mainmenu" || kind == "popupmenu" || kind == "opendialog") {
      if (parent != &form_) Fail(element, kind + " must belong to the form");
      if (kind == "mainmenu") return form_.Own(std::make_unique<ui::MainMenu>(name));
      if (kind == "popupmenu") return form_.Own(std::make_unique<ui::PopupMenu>(name, form_));
      return form_.Own(std::make_unique<ui::OpenDialog>(name));
    }
    if (kind == "menuitem") return BuildMenuItem(element, settings, parent);

    auto* container = dynamic_cast<ui::WinControl*>(parent);
    if (!container) Fail(element, "parent " + element.parent + " cannot hold elements");
    ui::Control* control = nullptr;
    if (kind == "panel") {
      control = BuildPanel(element, settings, *container);
    } else if (kind == "picture") {
      control = BuildPicture(element, settings, *container);
    } else if (kind == "label") {
      control = BuildLabel(element, settings, *container);
    } else if (kind == "memo") {
      auto memo = form_.Own(std::make_unique<ui::Memo>(name));
      ApplyFont(element, settings, *memo);
      ui::Memo::Options options;
      options.border = settings.Parsed("border", ParseBool).value_or(true);
      options.read_only = settings.Parsed("readonly", ParseBool).value_or(false);
      memo->Create(*container, Bounds(element, settings), Visible(settings), options);
      control = memo;
    } else if (kind == "edit") {
      auto edit = form_.Own(std::make_unique<ui::Edit>(name));
      ApplyFont(element, settings, *edit);
      ui::Edit::Options options;
      options.border = settings.Parsed("border", ParseBool).value_or(true);
      edit->Create(*container, Bounds(element, settings), Visible(settings), options);
      if (auto handler = settings.Take("onKeyDown")) edit->onKeyDown = BindKey(element, *handler);
      control = edit;
    } else if (kind == "checkbox") {
      auto check_box = form_.Own(std::make_unique<ui::CheckBox>(name));
      ApplyFont(element, settings, *check_box);
      ui::CheckBox::Options options;
      options.text = ui::Widen(settings.TakeOr("text", ""));
      options.checked = settings.Parsed("checked", ParseBool).value_or(false);
      options.color = settings.Parsed("color", ParseColor).value_or(GetSysColor(COLOR_BTNFACE));
      check_box->Create(*container, Bounds(element, settings), Visible(settings), options);
      if (auto handler = settings.Take("onClick")) check_box->onClick = BindNotify(element, *handler);
      control = check_box;
    } else if (kind == "button") {
      auto button = form_.Own(std::make_unique<ui::Button>(name));
      ApplyFont(element, settings, *button);
      button->Create(*container, Bounds(element, settings), Visible(settings), ui::Widen(settings.TakeOr("text", "")));
      if (auto handler = settings.Take("onClick")) button->onClick = BindNotify(element, *handler);
      control = button;
    } else if (kind == "filelist") {
      control = BuildFileList(element, settings, *container);
    } else if (kind == "shellview") {
      control = BuildShellView(element, settings, *container);
    } else {
      Fail(element, "unknown kind " + kind);
    }
    if (auto order = settings.Parsed("tab", ParseInt)) {
      auto* windowed = dynamic_cast<ui::WinControl*>(control);
      if (!windowed) Fail(element, "only windowed elements have a tab order");
      windowed->SetTabOrder(*order);
    }
    if (auto align = settings.Parsed("align", ParseAlign)) control->SetAlign(*align);
    return control;
  }

  ui::Control* BuildPanel(const ElementDescription& element, Settings& settings, ui::WinControl& parent) {
    auto panel = form_.Own(std::make_unique<ui::Panel>(ui::Widen(element.name)));
    ApplyFont(element, settings, *panel);
    ui::Panel::Options options;
    options.color = settings.Parsed("color", ParseColor).value_or(GetSysColor(COLOR_BTNFACE));
    std::string bevel = settings.TakeOr("bevel", "raised");
    if (bevel != "raised" && bevel != "none") Fail(element, "bevel must be raised or none");
    options.raised_bevel = bevel == "raised";
    panel->Create(parent, Bounds(element, settings), Visible(settings), options);
    if (auto handler = settings.Take("onClick")) panel->onClick = BindNotify(element, *handler);
    if (auto popup = settings.Take("popup")) panel->SetPopupMenu(Popup(element, *popup));
    return panel;
  }

  ui::Control* BuildPicture(const ElementDescription& element, Settings& settings, ui::WinControl& parent) {
    auto picture = form_.Own(std::make_unique<ui::Picture>(ui::Widen(element.name)));
    picture->Create(parent, Bounds(element, settings), Visible(settings));
    if (auto resource = settings.Take("picture")) picture->SetImage(ui::Image::FromResource(ui::Widen(*resource).c_str()));
    if (auto fit = settings.Parsed("fit", ParseFit)) picture->SetFit(*fit);
    if (auto popup = settings.Take("popup")) picture->SetPopupMenu(Popup(element, *popup));
    if (auto handler = settings.Take("onClick")) picture->onClick = BindNotify(element, *handler);
    if (auto handler = settings.Take("onMouseDown")) picture->onMouseDown = BindMouse(element, *handler);
    if (auto handler = settings.Take("onMouseUp")) picture->onMouseUp = BindMouse(element, *handler);
    if (auto handler = settings.Take("onMouseMove")) picture->onMouseMove = BindMouseMove(element, *handler);
    return picture;
  }

  ui::Control* BuildFileList(const ElementDescription& element, Settings& settings, ui::WinControl& parent) {
    auto list = form_.Own(std::make_unique<ui::FileListBox>(ui::Widen(element.name)));
    ApplyFont(element, settings, *list);
    ui::FileListBox::Options options;
    options.mask = ui::Widen(settings.TakeOr("mask", "*.*"));
    options.item_height = settings.Parsed("itemheight", ParseInt).value_or(16);
    if (options.mask.empty() || options.item_height < 1 || options.item_height > 255) Fail(element, "bad mask or item height");
    if (auto glyph = settings.Take("programglyph")) options.program_glyph = ui::Image::FromResource(ui::Widen(*glyph).c_str());
    if (auto glyph = settings.Take("fileglyph")) options.file_glyph = ui::Image::FromResource(ui::Widen(*glyph).c_str());
    list->Create(parent, Bounds(element, settings), Visible(settings), options);
    if (auto handler = settings.Take("onDblClick")) list->onDblClick = BindNotify(element, *handler);
    return list;
  }

  ui::Control* BuildShellView(const ElementDescription& element, Settings& settings, ui::WinControl& parent) {
    if (settings.TakeOr("root", "desktop") != "desktop") Fail(element, "the shell view's root can only be desktop");
    auto view = form_.Own(std::make_unique<ui::ShellView>(ui::Widen(element.name)));
    ApplyFont(element, settings, *view);
    ui::ShellView::Options options;
    options.read_only = settings.Parsed("readonly", ParseBool).value_or(false);
    options.hide_selection = settings.Parsed("hideselection", ParseBool).value_or(false);
    options.auto_navigate = settings.Parsed("autonavigate", ParseBool).value_or(true);
    options.auto_context_menu = settings.Parsed("autocontextmenu", ParseBool).value_or(true);
    options.auto_refresh = settings.Parsed("autorefresh", ParseBool).value_or(false);
    view->Create(parent, Bounds(element, settings), Visible(settings), options);
    return view;
  }

  ui::Control* BuildLabel(const ElementDescription& element, Settings& settings, ui::WinControl& parent) {
    auto label = form_.Own(std::make_unique<ui::Label>(ui::Widen(element.name)));
    ui::Label::Options options;
    options.text = ui::Widen(settings.TakeOr("text", ""));
    options.font = Font(element, settings);
    options.color = settings.Parsed("fontcolor", ParseColor).value_or(GetSysColor(COLOR_WINDOWTEXT));
    auto place = settings.Parsed("at", ParseIntPair).value_or(std::pair{0, 0});
    label->Create(parent, POINT{place.first, place.second}, Visible(settings), options);
    return label;
  }

  ui::Component* BuildMenuItem(const ElementDescription& element, Settings& settings, ui::Component* parent) {
    ui::MenuItem::Options options;
    options.text = ui::Widen(settings.TakeOr("text", ""));
    if (auto resource = settings.Take("bitmap")) options.picture = ui::Image::FromResource(ui::Widen(*resource).c_str());
    options.is_default = settings.Parsed("default", ParseBool).value_or(false);
    auto item = form_.Own(std::make_unique<ui::MenuItem>(ui::Widen(element.name), form_, options));
    if (auto handler = settings.Take("onClick")) item->onClick = BindNotify(element, *handler);
    if (auto* menu = dynamic_cast<ui::Menu*>(parent)) {
      menu->Add(*item);
    } else if (auto* owner = dynamic_cast<ui::MenuItem*>(parent)) {
      owner->Add(*item);
    } else {
      Fail(element, "parent " + element.parent + " is not a menu");
    }
    return item;
  }

  RECT Bounds(const ElementDescription& element, Settings& settings) {
    auto place = settings.Parsed("at", ParseIntPair).value_or(std::pair{0, 0});
    auto size = settings.Parsed("size", ParseIntPair).value_or(std::pair{0, 0});
    if (size.first < 0 || size.second < 0) Fail(element, "size cannot be negative");
    return RECT{place.first, place.second, place.first + size.first, place.second + size.second};
  }

  bool Visible(Settings& settings) { return settings.Parsed("visible", ParseBool).value_or(true); }

  HFONT Font(const ElementDescription& element, Settings& settings) {
    auto value = settings.Take("font");
    if (!value) return nullptr;
    auto parts = SplitList(*value, ':');
    if (parts.size() < 2 || parts.size() > 3 || parts[0].empty() || (parts.size() == 3 && parts[2] != "cyrillic")) {
      Fail(element, "font must be \"face:height\" or \"face:height:cyrillic\"");
    }
    int height = 0;
    try {
      height = ParseInt(parts[1]);
    } catch (const DescriptionError& error) {
      Fail(element, std::string("font: ") + error.what());
    }
    if (height <= 0 || height > 500) Fail(element, "font height out of range");
    return form_.FontFor(ui::Widen(parts[0]), height, parts.size() == 3);
  }

  void ApplyFont(const ElementDescription& element, Settings& settings, ui::Control& control) {
    if (HFONT font = Font(element, settings)) control.SetFont(font);
  }

  ui::PopupMenu* Popup(const ElementDescription& element, const std::string& name) {
    auto* menu = dynamic_cast<ui::PopupMenu*>(form_.FindComponent(ui::Widen(name)));
    if (!menu) Fail(element, name + " is not a context menu described above");
    return menu;
  }

  template <class Method>
  Method Find(const ElementDescription& element, const std::string& handler) {
    auto found = FormHandlers().find(handler);
    if (found == FormHandlers().end()) Fail(element, "TForm1 has no handler " + handler);
    const Method* method = std::get_if<Method>(&found->second);
    if (!method) Fail(element, "handler " + handler + " does not take this event");
    return *method;
  }

  ui::NotifyEvent BindNotify(const ElementDescription& element, const std::string& handler) {
    auto method = Find<NotifyHandler>(element, handler);
    TForm1* form = &form_;
    return [form, method](ui::Component* sender) { (form->*method)(sender); };
  }

  ui::KeyEvent BindKey(const ElementDescription& element, const std::string& handler) {
    auto method = Find<KeyHandler>(element, handler);
    TForm1* form = &form_;
    return [form, method](ui::Component* sender, WORD& key, ui::ShiftState shift) { (form->*method)(sender, key, shift); };
  }

  ui::MouseEvent BindMouse(const ElementDescription& element, const std::string& handler) {
    auto method = Find<MouseHandler>(element, handler);
    TForm1* form = &form_;
    return [form, method](ui::Component* sender, ui::MouseButton button, ui::ShiftState shift, int x, int y) {
      (form->*method)(sender, button, shift, x, y);
    };
  }

  ui::MouseMoveEvent BindMouseMove(const ElementDescription& element, const std::string& handler) {
    auto method = Find<MouseMoveHandler>(element, handler);
    TForm1* form = &form_;
    return [form, method](ui::Component* sender, ui::ShiftState shift, int x, int y) {
      (form->*method)(sender, shift, x, y);
    };
  }

  void AssignField(const ElementDescription& element, ui::Component* component) {
    auto found = FormFields().find(element.name);
    if (found == FormFields().end()) return;
    if (!found->second.assign(form_, component)) Fail(element, "is not of the kind TForm1 declares for it");
  }

  TForm1& form_;
  std::optional<std::string> pending_menu_;
};

}  // namespace

void BuildForm(TForm1& form, const std::vector<ElementDescription>& elements) { Builder(form).Build(elements); }

}  // namespace desktop
