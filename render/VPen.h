#pragma once

#include <cstdint>

struct TPlatformPen;

// The pen of a virtual canvas: widths are world lengths, scaled with the
// canvas's zoom and never thinner than one pixel.
class TVPen {
 public:
  explicit TVPen(TPlatformPen& target) : target_(&target) {}

  double Scale() const { return scale_; }
  // Kept equal to the owning canvas's scale by TVCanvas::SetZoom.
  void SetScale(double scale) { scale_ = scale; }

  void SetWidth(std::int32_t width);
  void SetMode(std::int32_t mode);
  void SetColor(std::int32_t color);
  void SetStyle(std::int32_t style);

 private:
  TPlatformPen* target_;
  double scale_ = 1.0;
};
