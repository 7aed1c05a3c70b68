#include "render/VCanvas.h"

#include "base/Convert.h"
#include "base/Nearest.h"
#include "model/DataStructures.h"
#include "render/PlatformCanvas.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kSurfaceDpi = 96;

// Swaps the surface's font for the one text is drawn with, and back.
class TDrawingFontScope {
 public:
  TDrawingFontScope(TPlatformCanvas& target, std::int32_t height)
      : target_(target), saved_(target.Font()) {
    TPlatformFont drawing = saved_;
    drawing.Name = "Arial";
    drawing.Color = kNoColor;
    drawing.Height = height;
    target_.Font() = std::move(drawing);
  }
  ~TDrawingFontScope() { target_.Font() = saved_; }
  TDrawingFontScope(const TDrawingFontScope&) = delete;
  TDrawingFontScope& operator=(const TDrawingFontScope&) = delete;

 private:
  TPlatformCanvas& target_;
  TPlatformFont saved_;
};

}  // namespace

TVCanvas::TVCanvas(TPlatformCanvas& target) : target_(&target), pen_(target.Pen()) {}

TPlatformBrush& TVCanvas::Brush() { return target_->Brush(); }

void TVCanvas::SetTarget(TPlatformCanvas& target) {
  target_ = &target;
  pen_ = TVPen(target.Pen());
  pen_.SetScale(scale_);
}

void TVCanvas::SetZoom(std::int32_t percent) {
  scale_ = static_cast<double>(static_cast<long double>(percent) / 100.0L);
  pen_.SetScale(scale_);
  zoomPercent_ = percent;
}

void TVCanvas::ZoomIn() {
  SetZoom(CheckedAdd(zoomPercent_, zoomStep_));
  if (zoomPercent_ > kMaxZoom) SetZoom(kMaxZoom);
}

void TVCanvas::ZoomOut() {
  SetZoom(CheckedSub(zoomPercent_, zoomStep_));
  if (zoomPercent_ < kMinZoom) SetZoom(kMinZoom);
}

std::int32_t TVCanvas::ToWorld(std::int32_t device) const {
  if (scale_ == 0) return device;
  return Nearest(static_cast<long double>(device) / scale_);
}

void TVCanvas::AnchorHatch() {
  TPlatformBrush& brush = target_->Brush();
  if (brush.Style != kBrushStyleBDiagonal) return;
  brush.OriginX = XToDevice(0);
  brush.OriginY = YToDevice(0);
}

void TVCanvas::Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AnchorHatch();
  target_->Rectangle(XToDevice(x1), YToDevice(y1), XToDevice(x2), YToDevice(y2));
}

void TVCanvas::FillRect(const TRect& rect) {
  AnchorHatch();
  target_->FillRect({XToDevice(rect.Left), YToDevice(rect.Top), XToDevice(rect.Right),
                     YToDevice(rect.Bottom)});
}

void TVCanvas::Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  AnchorHatch();
  target_->Ellipse(XToDevice(x1), YToDevice(y1), XToDevice(x2), YToDevice(y2));
}

void TVCanvas::StretchDraw(const TRect& rect, const TPicture& picture) {
  target_->StretchDraw({XToDevice(rect.Left), YToDevice(rect.Top), XToDevice(rect.Right),
                        YToDevice(rect.Bottom)},
                       picture);
}

void TVCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  target_->MoveTo(XToDevice(x), YToDevice(y));
}

void TVCanvas::LineTo(std::int32_t x, std::int32_t y) {
  target_->LineTo(XToDevice(x), YToDevice(y));
}

namespace {

void ConvertPoints(const TVCanvas& canvas, const std::vector<TPoint>& points,
                   std::vector<TPoint>& device) {
  device.resize(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    device[i] = {canvas.XToDevice(points[i].X), canvas.YToDevice(points[i].Y)};
  }
}

}  // namespace

void TVCanvas::Polyline(const std::vector<TPoint>& points) {
  ConvertPoints(*this, points, devicePoints_);
  target_->Polyline(devicePoints_.data(), devicePoints_.size());
}

void TVCanvas::Polyline(const std::vector<TPoint>& points, TKeptPolyline& kept) {
  const bool current = kept.Valid && kept.ZoomPercent == zoomPercent_ &&
                       kept.OriginX == originX_ && kept.OriginY == originY_ &&
                       kept.Points.size() == points.size();
  if (!current) {
    // Invalid until converted: a conversion that throws leaves nothing half made.
    kept.Valid = false;
    ConvertPoints(*this, points, kept.Points);
    kept.ZoomPercent = zoomPercent_;
    kept.OriginX = originX_;
    kept.OriginY = originY_;
    kept.Valid = true;
  }
  target_->Polyline(kept.Points.data(), kept.Points.size());
}

std::int32_t TVCanvas::DrawingFontHeight() const {
  const TPlatformFont& font = target_->Font();
  // On paper the text keeps the font's nominal size whatever the zoom.
  if (printing_) {
    return Nearest(static_cast<long double>(font.Height) * kSurfaceDpi / font.PixelsPerInch);
  }
  return Scaled(font.Height);
}

void TVCanvas::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
  const std::int32_t deviceX = XToDevice(x);
  const std::int32_t deviceY = YToDevice(y);
  const TDrawingFontScope scope(*target_, DrawingFontHeight());
  target_->Brush().Style = kBrushStyleClear;
  target_->TextOut(deviceX, deviceY, text);
}

void TVCanvas::SetPixel(std::int32_t x, std::int32_t y, std::int32_t color) {
  target_->SetPixel(x, y, color);
}

void TVCanvas::Flush() { target_->Flush(); }

std::int32_t TVCanvas::FromSurfacePixels(std::int32_t pixels) const {
  if (printing_) {
    pixels = Nearest(static_cast<long double>(pixels) * kSurfaceDpi /
                     target_->Font().PixelsPerInch);
  }
  return ToWorld(pixels);
}

std::int32_t TVCanvas::TextWidth(const std::string& text) const {
  return FromSurfacePixels(target_->TextWidth(text));
}

std::int32_t TVCanvas::TextHeight(const std::string& text) const {
  return FromSurfacePixels(target_->TextHeight(text));
}

bool TVCanvas::MayShow(std::int64_t left, std::int64_t top, std::int64_t right,
                       std::int64_t bottom) const {
  if (scale_ <= 0) return true;
  const TRect visible = target_->VisibleArea();
  // One pixel of slack on each side covers the rounding of the conversion.
  const long double scale = scale_;
  const long double deviceLeft = (left + originX_) * scale - 1;
  const long double deviceTop = (top + originY_) * scale - 1;
  const long double deviceRight = (right + originX_) * scale + 1;
  const long double deviceBottom = (bottom + originY_) * scale + 1;
  return deviceRight >= visible.Left && deviceLeft < visible.Right &&
         deviceBottom >= visible.Top && deviceTop < visible.Bottom;
}

std::int32_t TVCanvas::DrawingFontPixels() const { return std::abs(DrawingFontHeight()); }

std::int32_t TVCanvas::DrawnTextWidth(const std::string& text) const {
  const TDrawingFontScope scope(*target_, DrawingFontHeight());
  return target_->TextWidth(text);
}
