// Every element of a window, visual or not, is a named component owned by its form.
#pragma once

#include <string>

namespace ui {

class Component {
 public:
  explicit Component(std::wstring name) : name_(std::move(name)) {}
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component() = default;

  const std::wstring& Name() const { return name_; }

 private:
  std::wstring name_;
};

}  // namespace ui
