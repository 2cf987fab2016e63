// Applying a 4000x3000 JPEG as the wallpaper at the desktop's size, next to
// rendering the built-in wallpaper at that size as start-up does: the time
// of each and the peak memory they leave.
#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/desktop_app.h"
#include "bench/measure.h"
#include "desktop/form1.h"
#include "ui/application.h"

namespace {

using ui::ComPtr;

// The picture is made once, in stripes, so the bench itself never holds it whole.
bool MakeJpeg(const std::wstring& path, UINT width, UINT height) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  IWICImagingFactory& factory = ui::ImagingFactory();
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(factory.CreateStream(&stream)) || FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
      FAILED(factory.CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format))) {
    return false;
  }
  UINT stride = (width * 3 + 3) & ~3u;
  const UINT rows = 64;
  std::vector<BYTE> stripe(static_cast<size_t>(stride) * rows);
  for (UINT top = 0; top < height; top += rows) {
    UINT count = std::min(rows, height - top);
    for (UINT y = 0; y < count; ++y) {
      for (UINT x = 0; x < width; ++x) {
        BYTE* pixel = &stripe[y * stride + x * 3];
        pixel[0] = static_cast<BYTE>(x * 255 / width);
        pixel[1] = static_cast<BYTE>((top + y) * 255 / height);
        pixel[2] = static_cast<BYTE>((x ^ (top + y)) & 0xFF);
      }
    }
    if (FAILED(frame->WritePixels(count, stride, stride * count, stripe.data()))) return false;
  }
  return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::unique_ptr<TForm1> form = app::StartDesktop();
  if (!form) return 1;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring path = std::wstring(temp) + L"tarvello-wallpaper-4000x3000.jpg";
  if (!MakeJpeg(path, 4000, 3000)) return 2;
  form->ShowForm();
  ui::Application::Get().ProcessMessages();
  int width = form->Image3->Width(), height = form->Image3->Height();

  // The built-in wallpaper, rendered at the desktop's size as its first paint does.
  bench::ProcessFigures before = bench::ReadProcessFigures();
  double start = bench::NowMs();
  ui::OwnedBitmap built_in = ui::Image::FromResource(L"WALLPAPER")->Render(width, height);
  double built_in_ms = bench::NowMs() - start;

  // The whole path of choosing the picture and pressing "Прийняти": read, preview, apply, paint.
  start = bench::NowMs();
  form->PreviewBackground(path);
  double preview_ms = bench::NowMs() - start;
  form->Button1Click(form->Button1);
  UpdateWindow(form->Handle());
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  double total_ms = bench::NowMs() - start;
  bench::ProcessFigures after = bench::ReadProcessFigures();

  bench::ResultLine result("wallpaper");
  result.Add("desktop_width", static_cast<long long>(width));
  result.Add("desktop_height", static_cast<long long>(height));
  result.Add("built_in_render_ms", built_in_ms);
  result.Add("preview_ms", preview_ms);
  result.Add("apply_total_ms", total_ms);
  result.Add("scales_while_decoding", static_cast<long long>(form->Image6->GetImage()->ScalesWhileDecoding()));
  result.Add("peak_ws_before_mb", before.peak_working_set_mb);
  result.Add("peak_ws_mb", after.peak_working_set_mb);
  result.Add("peak_pagefile_mb", after.peak_pagefile_mb);
  result.Emit();
  form.reset();
  app::StopDesktop();
  return 0;
}
