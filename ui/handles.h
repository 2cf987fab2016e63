// Owning wrappers for the platform's handles: one owner per handle, movable,
// never copied, released exactly once.
#pragma once

#include <utility>

#include "ui/win.h"

namespace ui {

template <class Handle, class Close>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  ~Owned() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  Handle Release() { return std::exchange(handle_, Handle{}); }
  void Reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Close{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyMenuHandle {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct DeleteDc {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

// A kernel handle that is valid (never INVALID_HANDLE_VALUE).
struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

using OwnedHandle = Owned<HANDLE, CloseKernelHandle>;
using OwnedFont = Owned<HFONT, DeleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, DeleteGdiObject>;
using OwnedMenu = Owned<HMENU, DestroyMenuHandle>;
using OwnedDc = Owned<HDC, DeleteDc>;

// Selects an object into a device context for one scope and puts the old one back.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;
  ~SelectObjectScope() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves a device context's state (clip region, colours, modes) for one scope.
class SaveDcScope {
 public:
  explicit SaveDcScope(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SaveDcScope(const SaveDcScope&) = delete;
  SaveDcScope& operator=(const SaveDcScope&) = delete;
  ~SaveDcScope() { RestoreDC(dc_, saved_); }

 private:
  HDC dc_;
  int saved_;
};

}  // namespace ui
