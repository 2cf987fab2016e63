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
  // A picture file, read whole into memory (compressed, at most kMaxFileBytes)
  // so that the picture stays whole if the file changes or goes away later.
  // Throws an Error naming the file and the reason when it is not a readable
  // picture; a JPEG without its end marker counts as cut short.
  static std::shared_ptr<const Image> FromFile(const std::wstring& path);

  static constexpr unsigned long long kMaxFileBytes = 256ull << 20;
  // The most pixels decoded at full size (a 45-megapixel camera's pictures
  // fit; decoding whole costs about ten bytes a pixel): larger pictures are
  // read only through a decoder that scales while decoding.
  static constexpr unsigned long long kMaxFullDecodePixels = 50'000'000;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool HasAlpha() const { return has_alpha_; }

  // A top-down 32-bit bitmap (premultiplied alpha) of the picture scaled to the size.
  OwnedBitmap Render(int width, int height) const;
  // Whether the decoder can decode straight to a smaller size (so a huge picture
  // never sits in memory at full size).
  bool ScalesWhileDecoding() const { return scales_while_decoding_; }

 private:
  static std::shared_ptr<Image> Open(const void* data, size_t size, const std::wstring& what);
  // The frame decoded straight to the decoder's size nearest the given one.
  ComPtr<IWICBitmapSource> DecodeScaled(int width, int height, const std::wstring& context) const;

  std::vector<unsigned char> bytes_;  // empty when the bytes live in the program's resources
  ComPtr<IWICBitmapSource> pixels_;   // the first frame, as 32-bit premultiplied BGRA
  ComPtr<IWICBitmapSource> frame_;    // the first frame as decoded, for decoding straight to a smaller size
  bool scales_while_decoding_ = false;
  std::wstring what_;
  int width_ = 0;
  int height_ = 0;
  bool has_alpha_ = false;
};

}  // namespace ui
