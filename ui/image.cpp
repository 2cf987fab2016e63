#include "ui/image.h"

#include <wincodec.h>

#include <cstdint>
#include <limits>
#include <map>

#include "ui/error.h"

namespace ui {

IWICImagingFactory& ImagingFactory() {
  static ComPtr<IWICImagingFactory> factory = [] {
    ComPtr<IWICImagingFactory> created;
    ThrowIfFailed(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created)),
                  L"Cannot start the imaging component");
    return created;
  }();
  return *factory.Get();
}

std::shared_ptr<const Image> Image::FromResource(const wchar_t* name) {
  static std::map<std::wstring, std::weak_ptr<const Image>> opened;
  if (auto shared = opened[name].lock()) return shared;
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!resource) ThrowLastError(std::wstring(L"Cannot find the picture ") + name);
  HGLOBAL loaded = LoadResource(module, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) ThrowLastError(std::wstring(L"Cannot load the picture ") + name);
  // Resources stay mapped for the life of the process: no copy needed.
  std::shared_ptr<const Image> image = Open(data, SizeofResource(module, resource), name);
  opened[name] = image;
  return image;
}

std::shared_ptr<const Image> Image::FromMemory(const void* data, size_t size, const std::wstring& what) {
  std::vector<unsigned char> bytes(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size);
  std::shared_ptr<Image> image = Open(bytes.data(), bytes.size(), what);
  image->bytes_ = std::move(bytes);  // the vector's buffer moves with it, so the stream still reads valid memory
  return image;
}

std::shared_ptr<Image> Image::Open(const void* data, size_t size, const std::wstring& what) {
  IWICImagingFactory& factory = ImagingFactory();
  if (size > std::numeric_limits<DWORD>::max()) throw Error(L"The picture " + what + L" is too large");
  std::wstring context = L"Cannot decode the picture " + what;

  ComPtr<IWICStream> stream;
  ThrowIfFailed(factory.CreateStream(&stream), context);
  ThrowIfFailed(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), static_cast<DWORD>(size)),
                context);
  ComPtr<IWICBitmapDecoder> decoder;
  ThrowIfFailed(factory.CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder),
                context);
  ComPtr<IWICBitmapFrameDecode> frame;
  ThrowIfFailed(decoder->GetFrame(0, &frame), context);

  WICPixelFormatGUID source_format{};
  ThrowIfFailed(frame->GetPixelFormat(&source_format), context);
  ComPtr<IWICComponentInfo> info;
  ComPtr<IWICPixelFormatInfo2> format_info;
  BOOL transparency = FALSE;
  if (SUCCEEDED(factory.CreateComponentInfo(source_format, &info)) && SUCCEEDED(info.As(&format_info))) {
    format_info->SupportsTransparency(&transparency);
  }

  ComPtr<IWICFormatConverter> converter;
  ThrowIfFailed(factory.CreateFormatConverter(&converter), context);
  ThrowIfFailed(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                      0.0, WICBitmapPaletteTypeCustom),
                context);
  auto image = std::make_shared<Image>();
  image->pixels_ = converter;
  image->what_ = what;
  UINT width = 0, height = 0;
  ThrowIfFailed(image->pixels_->GetSize(&width, &height), context);
  if (width == 0 || height == 0 || width > 65535 || height > 65535) throw Error(context + L": unusable size");
  image->width_ = static_cast<int>(width);
  image->height_ = static_cast<int>(height);
  image->has_alpha_ = transparency != FALSE;
  return image;
}

OwnedBitmap Image::Render(int width, int height) const {
  if (width <= 0 || height <= 0) return {};
  uint64_t stride = static_cast<uint64_t>(width) * 4;
  uint64_t bytes = stride * static_cast<uint64_t>(height);
  if (bytes > std::numeric_limits<UINT>::max() / 2) throw Error(L"A picture cannot be shown that large");

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as WIC delivers them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) ThrowLastError(L"Cannot create a bitmap for a picture");

  std::wstring context = L"Cannot show the picture " + what_;
  ComPtr<IWICBitmapSource> source = pixels_;
  if (width != width_ || height != height_) {
    ComPtr<IWICBitmapScaler> scaler;
    ThrowIfFailed(ImagingFactory().CreateBitmapScaler(&scaler), context);
    ThrowIfFailed(scaler->Initialize(pixels_.Get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                     WICBitmapInterpolationModeFant),
                  context);
    source = scaler;
  }
  ThrowIfFailed(source->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(bytes),
                                   static_cast<BYTE*>(bits)),
                context);
  GdiFlush();
  return bitmap;
}

}  // namespace ui
