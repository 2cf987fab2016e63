// Pictures decoded once by the platform's imaging component (WIC) and
// rendered to device-independent bitmaps at the sizes they are shown at.
#pragma once

#include <memory>
#include <string>

#include "ui/handles.h"
#include "ui/win.h"

struct IWICBitmap;
struct IWICImagingFactory;

namespace ui {

IWICImagingFactory& ImagingFactory();

class Image {
 public:
  // A picture stored in the program's resources (RCDATA) under the given name.
  static std::shared_ptr<const Image> FromResource(const wchar_t* name);
  static std::shared_ptr<const Image> FromMemory(const void* data, size_t size, const std::wstring& what);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool HasAlpha() const { return has_alpha_; }

  // A top-down 32-bit bitmap (premultiplied alpha) of the picture scaled to the size.
  OwnedBitmap Render(int width, int height) const;

 private:
  ComPtr<IWICBitmap> pixels_;
  int width_ = 0;
  int height_ = 0;
  bool has_alpha_ = false;
};

}  // namespace ui
