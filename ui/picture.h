// A picture element: drawn on its parent, stretched or scaled down to fit.
#pragma once

#include <memory>

#include "ui/control.h"
#include "ui/handles.h"
#include "ui/image.h"

namespace ui {

class Picture : public GraphicControl {
 public:
  enum class Fit {
    Normal,        // drawn at its own size at the top-left corner
    Stretch,       // fills the element, proportions not kept
    Proportional,  // scaled down to fit, proportions kept, at the top-left corner
    ProportionalCenter,  // scaled down to fit, proportions kept, centred
  };

  using GraphicControl::GraphicControl;

  void SetImage(std::shared_ptr<const Image> image);
  // Shows the picture, rendered now at the size it is drawn at: a picture
  // that cannot be decoded throws and leaves the element as it was.
  void ShowImage(std::shared_ptr<const Image> image);
  const Image* GetImage() const { return image_.get(); }
  const std::shared_ptr<const Image>& SharedImage() const { return image_; }
  void SetFit(Fit fit);
  Fit GetFit() const { return fit_; }

  // Where the picture is drawn, in the parent's coordinates (empty without a picture).
  RECT DrawnRect() const;

  void Paint(HDC dc) override;
  bool IsOpaque() const override;

 private:
  RECT DrawnRectFor(const Image* image) const;

  std::shared_ptr<const Image> image_;
  Fit fit_ = Fit::Normal;
  // The picture rendered at the size last drawn; redone only when that size changes.
  OwnedBitmap rendered_;
  SIZE rendered_size_{};
};

}  // namespace ui
