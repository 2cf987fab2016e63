#include "ui/image.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>

#include "ui/error.h"

#ifndef __IWICBitmapSourceTransform_INTERFACE_DEFINED__
#define __IWICBitmapSourceTransform_INTERFACE_DEFINED__
// MinGW-w64's wincodec.h leaves out this interface of WIC's decoders (a frame
// that can decode straight to a smaller size); its layout is the platform's.
MIDL_INTERFACE("3b16811b-6a43-4ec9-b713-3d5a0c13b940")
IWICBitmapSourceTransform : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                               WICPixelFormatGUID* format, WICBitmapTransformOptions transform,
                                               UINT stride, UINT buffer_size, BYTE* buffer) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
  virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform, BOOL* supported) = 0;
};
__CRT_UUID_DECL(IWICBitmapSourceTransform, 0x3b16811b, 0x6a43, 0x4ec9, 0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40)
#endif

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

namespace {

// A JPEG ends with its end-of-image marker FF D9; some writers append a few
// bytes after it, so the marker is looked for near the end. WIC decodes a JPEG
// cut short without complaint (the missing rows come out grey), so this is the
// only way to tell a partly copied or downloaded file from a whole one.
bool IsJpegCutShort(const std::vector<unsigned char>& bytes) {
  if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[2] != 0xFF) return false;
  size_t tail = std::min<size_t>(bytes.size() - 2, 64 * 1024);
  for (size_t i = bytes.size() - 2; i + tail >= bytes.size() && i >= 2; --i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xD9) return false;
  }
  return true;
}

}  // namespace

std::shared_ptr<const Image> Image::FromFile(const std::wstring& path) {
  std::wstring context = L"Cannot read the picture " + path;
  // Shared for deleting too: the program holds the file only while it reads it.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) ThrowLastError(context);
  OwnedHandle closer(file);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) ThrowLastError(context);
  if (size.QuadPart == 0) throw Error(context + L": the file is empty");
  if (static_cast<unsigned long long>(size.QuadPart) > kMaxFileBytes) {
    throw Error(context + L": the file is larger than " + std::to_wstring(kMaxFileBytes >> 20) + L" MB");
  }
  std::vector<unsigned char> bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 16u << 20));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + done, chunk, &read, nullptr)) ThrowLastError(context);
    if (read == 0) throw Error(context + L": the file became shorter while it was read");
    done += read;
  }
  if (IsJpegCutShort(bytes)) throw Error(L"Cannot decode the picture " + path + L": the JPEG data is cut short");
  std::shared_ptr<Image> image = Open(bytes.data(), bytes.size(), path);
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
  image->frame_ = frame;
  image->what_ = what;
  UINT width = 0, height = 0;
  ThrowIfFailed(image->pixels_->GetSize(&width, &height), context);
  if (width == 0 || height == 0 || width > 65535 || height > 65535) throw Error(context + L": unusable size");

  // A decoder that scales while decoding (JPEG's 1/2, 1/4, 1/8) keeps a huge
  // picture from ever being held at full size; without one, a picture is
  // decoded whole, so its size is limited.
  ComPtr<IWICBitmapSourceTransform> transform;
  if (SUCCEEDED(frame.As(&transform))) {
    UINT smallest_width = 1, smallest_height = 1;
    BOOL plain = FALSE;
    image->scales_while_decoding_ = SUCCEEDED(transform->GetClosestSize(&smallest_width, &smallest_height)) &&
                                    SUCCEEDED(transform->DoesSupportTransform(WICBitmapTransformRotate0, &plain)) &&
                                    plain && smallest_width < width && smallest_height < height;
  }
  unsigned long long pixels = static_cast<unsigned long long>(width) * height;
  if (pixels > kMaxFullDecodePixels && !image->scales_while_decoding_) {
    throw Error(context + L": " + std::to_wstring(width) + L"\u00D7" + std::to_wstring(height) +
                L" pixels is too large to decode (at most " + std::to_wstring(kMaxFullDecodePixels / 1'000'000) +
                L" million pixels)");
  }
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
  ComPtr<IWICBitmapSource> whole = pixels_;
  if (scales_while_decoding_ && (width < width_ || height < height_)) whole = DecodeScaled(width, height, context);
  ComPtr<IWICBitmapSource> source = whole;
  UINT whole_width = 0, whole_height = 0;
  ThrowIfFailed(whole->GetSize(&whole_width, &whole_height), context);
  if (static_cast<int>(whole_width) != width || static_cast<int>(whole_height) != height) {
    ComPtr<IWICBitmapScaler> scaler;
    ThrowIfFailed(ImagingFactory().CreateBitmapScaler(&scaler), context);
    ThrowIfFailed(scaler->Initialize(whole.Get(), static_cast<UINT>(width), static_cast<UINT>(height),
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

ComPtr<IWICBitmapSource> Image::DecodeScaled(int width, int height, const std::wstring& context) const {
  IWICImagingFactory& factory = ImagingFactory();
  ComPtr<IWICBitmapSourceTransform> transform;
  ThrowIfFailed(frame_.As(&transform), context);
  // The decoder's nearest size to the one shown; the scaler does the rest.
  UINT scaled_width = static_cast<UINT>(width), scaled_height = static_cast<UINT>(height);
  ThrowIfFailed(transform->GetClosestSize(&scaled_width, &scaled_height), context);
  if (scaled_width == 0 || scaled_height == 0) throw Error(context + L": the decoder offered no size");
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppPBGRA;
  ThrowIfFailed(transform->GetClosestPixelFormat(&format), context);
  ComPtr<IWICComponentInfo> info;
  ComPtr<IWICPixelFormatInfo> format_info;
  UINT bits_per_pixel = 0;
  ThrowIfFailed(factory.CreateComponentInfo(format, &info), context);
  ThrowIfFailed(info.As(&format_info), context);
  ThrowIfFailed(format_info->GetBitsPerPixel(&bits_per_pixel), context);
  uint64_t stride = (static_cast<uint64_t>(scaled_width) * bits_per_pixel + 31) / 32 * 4;
  uint64_t bytes = stride * scaled_height;
  if (bits_per_pixel == 0 || bytes > std::numeric_limits<UINT>::max() / 2) throw Error(context + L": unusable size");
  std::vector<BYTE> buffer(static_cast<size_t>(bytes));
  ThrowIfFailed(transform->CopyPixels(nullptr, scaled_width, scaled_height, &format, WICBitmapTransformRotate0,
                                      static_cast<UINT>(stride), static_cast<UINT>(bytes), buffer.data()),
                context);
  ComPtr<IWICBitmap> scaled;
  ThrowIfFailed(factory.CreateBitmapFromMemory(scaled_width, scaled_height, format, static_cast<UINT>(stride),
                                               static_cast<UINT>(bytes), buffer.data(), &scaled),
                context);
  ComPtr<IWICFormatConverter> converter;
  ThrowIfFailed(factory.CreateFormatConverter(&converter), context);
  ThrowIfFailed(converter->Initialize(scaled.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                      0.0, WICBitmapPaletteTypeCustom),
                context);
  return converter;
}

}  // namespace ui
