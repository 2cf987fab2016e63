#include "ui/picture.h"

#include <algorithm>

namespace ui {

void Picture::SetImage(std::shared_ptr<const Image> image) {
  image_ = std::move(image);
  rendered_.Reset();
  rendered_size_ = SIZE{};
  Invalidate();
}

void Picture::ShowImage(std::shared_ptr<const Image> image) {
  if (!image) return SetImage(nullptr);
  RECT target = DrawnRectFor(image.get());
  SIZE size{target.right - target.left, target.bottom - target.top};
  OwnedBitmap rendered = image->Render(size.cx, size.cy);  // throws before anything changes
  image_ = std::move(image);
  rendered_ = std::move(rendered);
  rendered_size_ = rendered_ ? size : SIZE{};
  Invalidate();
}

void Picture::SetFit(Fit fit) {
  fit_ = fit;
  Invalidate();
}

RECT Picture::DrawnRect() const { return DrawnRectFor(image_.get()); }

RECT Picture::DrawnRectFor(const Image* image) const {
  RECT bounds = BoundsRect();
  if (!image) return RECT{bounds.left, bounds.top, bounds.left, bounds.top};
  int width = image->Width();
  int height = image->Height();
  switch (fit_) {
    case Fit::Normal:
      break;
    case Fit::Stretch:
      width = Width();
      height = Height();
      break;
    case Fit::Proportional:
    case Fit::ProportionalCenter:
      if (width > Width() || height > Height()) {
        // Fit the width first; if the height still overflows, fit the height.
        if (static_cast<long long>(Width()) * image->Height() <= static_cast<long long>(Height()) * image->Width()) {
          height = std::max(1, static_cast<int>(static_cast<long long>(image->Height()) * Width() / image->Width()));
          width = Width();
        } else {
          width = std::max(1, static_cast<int>(static_cast<long long>(image->Width()) * Height() / image->Height()));
          height = Height();
        }
      }
      break;
  }
  int left = bounds.left, top = bounds.top;
  if (fit_ == Fit::ProportionalCenter) {
    left += (Width() - width) / 2;
    top += (Height() - height) / 2;
  }
  return RECT{left, top, left + width, top + height};
}

bool Picture::IsOpaque() const { return image_ && !image_->HasAlpha() && fit_ == Fit::Stretch; }

void Picture::Paint(HDC dc) {
  if (!image_) return;
  RECT target = DrawnRect();
  SIZE size{target.right - target.left, target.bottom - target.top};
  if (size.cx <= 0 || size.cy <= 0) return;
  if (!rendered_ || size.cx != rendered_size_.cx || size.cy != rendered_size_.cy) {
    try {
      rendered_ = image_->Render(size.cx, size.cy);
    } catch (...) {
      // A picture that cannot be shown is dropped, so the failure is reported once.
      image_.reset();
      rendered_.Reset();
      throw;
    }
    rendered_size_ = size;
  }
  OwnedDc memory(CreateCompatibleDC(dc));
  SelectObjectScope select(memory.Get(), rendered_.Get());
  if (image_->HasAlpha()) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, target.left, target.top, size.cx, size.cy, memory.Get(), 0, 0, size.cx, size.cy, blend);
  } else {
    BitBlt(dc, target.left, target.top, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
  }
}

}  // namespace ui
