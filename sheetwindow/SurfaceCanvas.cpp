#include "sheetwindow/SurfaceCanvas.h"

#include "base/Convert.h"

void TSurfaceCanvas::Attach(TPlatformCanvas& image, QPoint origin) {
  image_ = &image;
  origin_ = origin;
  Font().PixelsPerInch = image.Font().PixelsPerInch;
}

TPlatformCanvas* TSurfaceCanvas::Synced() {
  if (!image_) return nullptr;
  image_->Pen() = Pen();
  image_->Brush() = Brush();
  image_->Brush().OriginX = CheckedSub(Brush().OriginX, origin_.x());
  image_->Brush().OriginY = CheckedSub(Brush().OriginY, origin_.y());
  // Drawing here leaves the image's own state as this canvas's; the sheet's
  // drawing sets everything it uses before each call, so nothing carries over.
  image_->Font() = Font();
  return image_;
}

std::int32_t TSurfaceCanvas::X(std::int32_t x) const { return CheckedSub(x, origin_.x()); }

std::int32_t TSurfaceCanvas::Y(std::int32_t y) const { return CheckedSub(y, origin_.y()); }

void TSurfaceCanvas::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom) {
  if (TPlatformCanvas* canvas = Synced()) canvas->Rectangle(X(left), Y(top), X(right), Y(bottom));
}

void TSurfaceCanvas::FillRect(const TRect& rect) {
  if (TPlatformCanvas* canvas = Synced()) {
    canvas->FillRect({X(rect.Left), Y(rect.Top), X(rect.Right), Y(rect.Bottom)});
  }
}

void TSurfaceCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                             std::int32_t bottom) {
  if (TPlatformCanvas* canvas = Synced()) canvas->Ellipse(X(left), Y(top), X(right), Y(bottom));
}

void TSurfaceCanvas::StretchDraw(const TRect& rect, const TPicture& picture) {
  if (TPlatformCanvas* canvas = Synced()) {
    canvas->StretchDraw({X(rect.Left), Y(rect.Top), X(rect.Right), Y(rect.Bottom)}, picture);
  }
}

void TSurfaceCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  if (TPlatformCanvas* canvas = Synced()) canvas->MoveTo(X(x), Y(y));
}

void TSurfaceCanvas::LineTo(std::int32_t x, std::int32_t y) {
  if (TPlatformCanvas* canvas = Synced()) canvas->LineTo(X(x), Y(y));
}

void TSurfaceCanvas::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
  if (TPlatformCanvas* canvas = Synced()) canvas->TextOut(X(x), Y(y), text);
}

void TSurfaceCanvas::SetPixel(std::int32_t x, std::int32_t y, std::int32_t color) {
  if (TPlatformCanvas* canvas = Synced()) canvas->SetPixel(X(x), Y(y), color);
}

std::int32_t TSurfaceCanvas::TextWidth(const std::string& text) {
  TPlatformCanvas* canvas = Synced();
  return canvas ? canvas->TextWidth(text) : 0;
}

std::int32_t TSurfaceCanvas::TextHeight(const std::string& text) {
  TPlatformCanvas* canvas = Synced();
  return canvas ? canvas->TextHeight(text) : 0;
}

std::shared_ptr<const TPicture> TSurfaceCanvas::LoadPicture(const std::string& fileName) {
  return image_ ? image_->LoadPicture(fileName) : nullptr;
}

TRect TSurfaceCanvas::VisibleArea() const {
  if (!image_) return {};
  const TRect area = image_->VisibleArea();
  return {area.Left + origin_.x(), area.Top + origin_.y(), area.Right + origin_.x(),
          area.Bottom + origin_.y()};
}

void TSurfaceCanvas::Flush() {
  if (image_) image_->Flush();
}
