#pragma once

#include "render/CanvasState.h"
#include "render/Picture.h"
#include "render/Point.h"
#include "render/Rect.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A drawing surface of the platform: a window's image, an off-screen image or
// a printer page. Every coordinate here is in device pixels; the virtual
// canvas (TVCanvas) converts world coordinates before calling in.
//
// Pixel conventions: a rectangle (l, t, r, b) covers l..r-1 and t..b-1, and a
// line drawn to a point stops before that point. MoveTo and LineTo build one
// polyline, which a surface may draw as a whole (so that its joints are
// toggled once under the xor pen); Flush draws what is pending.
class TPlatformCanvas {
 public:
  virtual ~TPlatformCanvas() = default;

  TPlatformPen& Pen() { return pen_; }
  TPlatformBrush& Brush() { return brush_; }
  TPlatformFont& Font() { return font_; }
  const TPlatformPen& Pen() const { return pen_; }
  const TPlatformBrush& Brush() const { return brush_; }
  const TPlatformFont& Font() const { return font_; }

  // Outline with the pen, interior with the brush.
  virtual void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) = 0;
  // Brush only.
  virtual void FillRect(const TRect& rect) = 0;
  // The ellipse inscribed in the rectangle: outline with the pen, inside with the brush.
  virtual void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom) = 0;
  virtual void StretchDraw(const TRect& rect, const TPicture& picture) = 0;
  virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
  virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
  // MoveTo the first point, then LineTo each of the others; a surface may
  // take them at once.
  virtual void Polyline(const TPoint* points, std::size_t count) {
    if (count == 0) return;
    MoveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i < count; ++i) LineTo(points[i].X, points[i].Y);
  }
  // text holds Windows-1252 bytes; its top-left corner is at (x, y); the
  // background stays as the brush says (clear: transparent).
  virtual void TextOut(std::int32_t x, std::int32_t y, const std::string& text) = 0;
  virtual void SetPixel(std::int32_t x, std::int32_t y, std::int32_t color) = 0;
  // Extents in the surface's pixels, measured with the current font.
  virtual std::int32_t TextWidth(const std::string& text) = 0;
  virtual std::int32_t TextHeight(const std::string& text) = 0;
  // The picture in fileName, or nullptr when the file does not exist or is
  // not a picture the platform can decode. Never throws for a bad file.
  virtual std::shared_ptr<const TPicture> LoadPicture(const std::string& fileName) = 0;
  // The device rectangle in which drawing can show. Drawing that lies wholly
  // outside it may be skipped by callers: it would change no pixel.
  virtual TRect VisibleArea() const = 0;
  // Draws whatever the surface holds back (a pending polyline).
  virtual void Flush() {}

 private:
  TPlatformPen pen_;
  TPlatformBrush brush_;
  TPlatformFont font_;
};
