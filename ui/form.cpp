#include "ui/form.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/error.h"
#include "ui/menu.h"

namespace ui {
namespace {

constexpr wchar_t kFormClass[] = L"TarvelloForm";
constexpr UINT kFirstMenuId = 100;

RECT PrimaryWorkArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return area;
}

// Children in tab order: explicit orders first as given, the rest as created.
std::vector<Control*> InTabOrder(const std::vector<Control*>& children) {
  std::vector<Control*> ordered = children;
  std::stable_sort(ordered.begin(), ordered.end(), [&](Control* a, Control* b) {
    auto key = [&](Control* control) {
      auto* windowed = dynamic_cast<WinControl*>(control);
      int order = windowed ? windowed->TabOrder() : -1;
      if (order >= 0) return order;
      return static_cast<int>(std::find(children.begin(), children.end(), control) - children.begin());
    };
    return key(a) < key(b);
  });
  return ordered;
}

void CollectTabStops(const WinControl& parent, std::vector<WinControl*>& stops) {
  for (Control* child : InTabOrder(parent.Children())) {
    auto* windowed = dynamic_cast<WinControl*>(child);
    if (!windowed || !windowed->CanFocus()) continue;
    if (GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & WS_TABSTOP) stops.push_back(windowed);
    CollectTabStops(*windowed, stops);
  }
}

}  // namespace

Form::Form(std::wstring name) : WinControl(std::move(name)) {}

Form::~Form() {
  destroying_ = true;
  if (Application::Get().MainForm() == this) Application::Get().SetMainForm(nullptr);
  if (Handle()) DestroyWindow(Handle());
}

void Form::CreateForm(bool fill_work_area, COLORREF color, HFONT font) {
  RegisterOwnClass(kFormClass, CS_DBLCLKS, nullptr);
  background_.Reset(CreateSolidBrush(color));
  SetFont(font);
  fill_work_area_ = fill_work_area;
  RECT bounds = fill_work_area ? PrimaryWorkArea() : RECT{0, 0, 640, 480};
  // Hidden at first, so that the caller's Show is what puts the window on screen.
  SetVisible(false);
  SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
  CreateOwnWindow(kFormClass, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                  Application::Get().Handle(), bounds);
}

void Form::SetMainMenu(MainMenu* menu) {
  main_menu_ = menu;
  if (!::SetMenu(Handle(), menu ? menu->Handle() : nullptr)) ThrowLastError(L"Cannot attach the menu of " + Name());
  // The menu bar takes room from the client area.
  Realign();
}

void Form::ShowForm() {
  if (Application::Get().MainForm() == this) Application::Get().ShowTaskbarEntry();
  SetVisible(true);
  SetForegroundWindow(Handle());
  SetActiveWindow(Handle());
}

void Form::Close() {
  if (Handle()) SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void Form::FitWorkArea() {
  RECT area = PrimaryWorkArea();
  SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

Component* Form::FindComponent(const std::wstring& name) const {
  if (name == Name()) return const_cast<Form*>(this);
  for (const auto& component : components_) {
    if (component->Name() == name) return component.get();
  }
  return nullptr;
}

HFONT Form::FontFor(const std::wstring& face, int pixel_height, bool cyrillic) {
  auto key = std::make_tuple(face, pixel_height, cyrillic);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.Get();
  LOGFONTW font{};
  font.lfHeight = -pixel_height;  // character height, without internal leading
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = cyrillic ? RUSSIAN_CHARSET : DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT handle = CreateFontIndirectW(&font);
  if (!handle) ThrowLastError(L"Cannot create the font " + face);
  fonts_.emplace(key, OwnedFont(handle));
  return handle;
}

UINT Form::RegisterMenuItem(MenuItem* item) {
  UINT id = kFirstMenuId + static_cast<UINT>(menu_items_.size());
  menu_items_[id] = item;
  return id;
}

void Form::ClickMenuItem(UINT id) {
  auto found = menu_items_.find(id);
  if (found != menu_items_.end()) found->second->Click();
}

Form* Form::FromChild(HWND hwnd) {
  if (!hwnd) return nullptr;
  return dynamic_cast<Form*>(FromHandle(GetAncestor(hwnd, GA_ROOT)));
}

std::vector<WinControl*> Form::TabStops() const {
  std::vector<WinControl*> stops;
  CollectTabStops(*this, stops);
  return stops;
}

bool Form::HandleTabKey(HWND focus) {
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  std::vector<WinControl*> stops = TabStops();
  if (stops.empty()) return false;
  bool backwards = GetKeyState(VK_SHIFT) < 0;
  auto current = std::find_if(stops.begin(), stops.end(), [&](WinControl* control) {
    return control->Handle() == focus || IsChild(control->Handle(), focus);
  });
  size_t index;
  if (current == stops.end()) {
    index = backwards ? stops.size() - 1 : 0;
  } else {
    size_t at = static_cast<size_t>(current - stops.begin());
    index = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
  }
  stops[index]->SetFocus();
  return true;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, background_.Get());
      return 1;
    }
    case WM_COMMAND:
      if (lparam == 0 && HIWORD(wparam) == 0) {
        ClickMenuItem(LOWORD(wparam));
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // Give the focus back to the control that had it when the form was last active.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) last_focus_ = focus;
      } else if (last_focus_ && IsWindow(last_focus_) && IsChild(Handle(), last_focus_) &&
                 IsWindowVisible(last_focus_)) {
        ::SetFocus(last_focus_);
        return 0;
      }
      break;
    case WM_SETTINGCHANGE:
      if (fill_work_area_ && wparam == SPI_SETWORKAREA) FitWorkArea();
      break;
    case WM_DISPLAYCHANGE:
      if (fill_work_area_) FitWorkArea();
      break;
    case WM_CLOSE:
      DestroyWindow(Handle());
      return 0;
    case WM_DESTROY:
      // The menu belongs to its component, not to the window being destroyed.
      ::SetMenu(Handle(), nullptr);
      if (!destroying_ && Application::Get().MainForm() == this) Application::Get().Terminate();
      break;
  }
  return WinControl::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
