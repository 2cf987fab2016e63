// Pictures read by the platform's imaging component (WIC) and rendered to
// device-independent bitmaps at the sizes they are shown at. Decoding waits
// for the first rendering and goes straight to the shown size, so a large
// picture never sits in memory at full size.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/handles.h"
#include "ui/win.h"

struct IWICBitmapSource;
struct IWICImagingFactory;

namespace ui {

IWICImagingFactory& ImagingFactory();

class Image {
 public:
  // A picture stored in the program's resources (RCDATA) under the given
  // name; every element showing it shares one Image.
  static std::shared_ptr<const Image> FromResource(const wchar_t* name);
  // A picture in memory; the bytes are copied and kept.
  static std::shared_ptr<const Image> FromMemory(const void* data, size_t size, const std::wstring& what);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool HasAlpha() const { return has_alpha_; }

  // A top-down 32-bit bitmap (premultiplied alpha) of the picture scaled to the size.
  OwnedBitmap Render(int width, int height) const;

 private:
  static std::shared_ptr<Image> Open(const void* data, size_t size, const std::wstring& what);

  std::vector<unsigned char> bytes_;  // empty when the bytes live in the program's resources
  ComPtr<IWICBitmapSource> pixels_;   // the first frame, as 32-bit premultiplied BGRA
  std::wstring what_;
  int width_ = 0;
  int height_ = 0;
  bool has_alpha_ = false;
};

}  // namespace ui
