#pragma once

#include "render/PlatformCanvas.h"

#include <QPoint>

#include <memory>


// A canvas in the device pixels of a whole scrollable surface that draws
// through the canvas of the image showing its visible part: a point (x, y)
// lands on the image at (x, y) - origin. The sheet window draws its xor
// rubber bands through it, straight onto the picture it shows, so that
// moving them needs no redraw. Detached, it draws nothing.
class TSurfaceCanvas : public TPlatformCanvas {
 public:

  // image draws the surface from origin on; it is not owned and must stay
  // until Detach or the next Attach.
  void Attach(TPlatformCanvas& image, QPoint origin);
  void Detach() { image_ = nullptr; }

  void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) override;
  void FillRect(const TRect& rect) override;
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) override;
  void StretchDraw(const TRect& rect, const TPicture& picture) override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void TextOut(std::int32_t x, std::int32_t y, const std::string& text) override;
  void SetPixel(std::int32_t x, std::int32_t y, std::int32_t color) override;
  std::int32_t TextWidth(const std::string& text) override;
  std::int32_t TextHeight(const std::string& text) override;
  std::shared_ptr<const TPicture> LoadPicture(const std::string& fileName) override;
  TRect VisibleArea() const override;
  void Flush() override;

 private:
  // The image's canvas with this canvas's pen, brush and font; nullptr when
  // nothing is attached.
  TPlatformCanvas* Synced();
  std::int32_t X(std::int32_t x) const;
  std::int32_t Y(std::int32_t y) const;

  TPlatformCanvas* image_ = nullptr;
  QPoint origin_;
};
