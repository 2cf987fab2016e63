#include "desktop/form1.h"

#include "desktop/form_builder.h"
#include "desktop/window_description.h"
#include "ui/error.h"

std::string StoredDesktopDescription() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, L"DESKTOP_WINDOW", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!data) ui::ThrowLastError(L"Cannot load the window description");
  return std::string(data, SizeofResource(module, resource));
}

TForm1::TForm1() : TForm1(StoredDesktopDescription()) {}

TForm1::TForm1(const std::string& description) : ui::Form(L"Form1") {
  desktop::BuildForm(*this, desktop::ParseWindowDescription(description));
}
