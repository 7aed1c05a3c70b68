#pragma once

#include "base/Convert.h"
#include "base/Nearest.h"
#include "render/Point.h"
#include "render/Rect.h"
#include "render/VPen.h"

#include <cstdint>
#include <string>
#include <vector>

class TPlatformCanvas;
class TPicture;
struct TPlatformBrush;

// A platform surface seen in world coordinates: every drawing call converts
// its coordinates with the zoom and the origin and passes them on.
//   device = Nearest((world + origin) * zoom / 100), ties to even.
// The origin is in world units. The canvas does not own its target; it owns
// its pen. Coordinate sums that leave the 32-bit range throw EIntOverflow.
class TVCanvas {
 public:
  static constexpr std::int32_t kMinZoom = 10;
  static constexpr std::int32_t kMaxZoom = 10000;

  explicit TVCanvas(TPlatformCanvas& target);

  TPlatformCanvas& Target() const { return *target_; }
  // Draws on another surface from now on, at the same zoom and origin (a
  // window's image is made anew when the window changes size).
  void SetTarget(TPlatformCanvas& target);
  TVPen& VPen() { return pen_; }
  TPlatformBrush& Brush();

  std::int32_t OriginX() const { return originX_; }
  std::int32_t OriginY() const { return originY_; }
  void SetOriginX(std::int32_t x) { originX_ = x; }
  void SetOriginY(std::int32_t y) { originY_ = y; }
  std::int32_t ZoomPercent() const { return zoomPercent_; }
  std::int32_t ZoomStep() const { return zoomStep_; }
  void SetZoomStep(std::int32_t step) { zoomStep_ = step; }
  double Scale() const { return scale_; }
  bool Printing() const { return printing_; }
  void SetPrinting(bool printing) { printing_ = printing; }

  // No bounds are applied here; ZoomIn and ZoomOut keep to kMinZoom..kMaxZoom.
  void SetZoom(std::int32_t percent);
  void ZoomIn();
  void ZoomOut();

  // A world length in device pixels. The product is formed in extended
  // precision, so 25 at zoom 10 is 2.5000000000000001 (0.1 is not exact)
  // and rounds up. Inline: every drawn coordinate comes through here.
  //
  // The scale is the zoom percentage over 100, so the exact product is a
  // whole number of hundredths: unless it is a half, it lies at least a
  // hundredth from one, far beyond the floating-point error, and integer
  // arithmetic rounds it the same way. Halves take the extended way.
  std::int32_t Scaled(std::int32_t length) const {
    const std::int64_t hundredths = std::int64_t{length} * zoomPercent_;
    const std::int64_t whole = hundredths / 100;
    const std::int64_t rest = hundredths % 100;
    if (rest != 50 && rest != -50) {
      const std::int64_t rounded = whole + (rest > 50) - (rest < -50);
      if (rounded >= INT32_MIN && rounded <= INT32_MAX) return static_cast<std::int32_t>(rounded);
    }
    return Nearest(static_cast<long double>(length) * scale_);
  }
  std::int32_t XToDevice(std::int32_t x) const { return Scaled(CheckedAdd(x, originX_)); }
  std::int32_t YToDevice(std::int32_t y) const { return Scaled(CheckedAdd(y, originY_)); }
  // A device length, or a coordinate on a surface whose origin is 0, in world units.
  std::int32_t ToWorld(std::int32_t device) const;

  void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  void FillRect(const TRect& rect);
  void Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  void StretchDraw(const TRect& rect, const TPicture& picture);
  void MoveTo(std::int32_t x, std::int32_t y);
  void LineTo(std::int32_t x, std::int32_t y);
  // MoveTo the first point and LineTo the others, converted all at once.
  void Polyline(const std::vector<TPoint>& points);
  // The device points of one polyline, with the zoom and origin they were
  // converted at.
  struct TKeptPolyline {
    bool Valid = false;
    std::int32_t ZoomPercent = 0;
    std::int32_t OriginX = 0;
    std::int32_t OriginY = 0;
    std::vector<TPoint> Points;
  };
  // The same, for a caller that keeps the converted points of an unchanged
  // polyline: they are converted again only when the zoom or origin moved.
  void Polyline(const std::vector<TPoint>& points, TKeptPolyline& kept);
  // Writes text in "Arial" at the zoomed height of the surface's font, on a
  // transparent background; the surface's font is unchanged afterwards.
  void TextOut(std::int32_t x, std::int32_t y, const std::string& text);
  // Device coordinates, no conversion.
  void SetPixel(std::int32_t x, std::int32_t y, std::int32_t color);
  void Flush();

  // Extents in the surface's own font, in world units; apply Scaled to get
  // the extent of the drawn (zoomed) text in world units.
  std::int32_t TextWidth(const std::string& text) const;
  std::int32_t TextHeight(const std::string& text) const;

  // Whether anything drawn inside the world rectangle (edges included) could
  // show on the target. A conservative test that never throws: it lets a
  // caller skip work whose pixels would all fall outside the target.
  bool MayShow(std::int64_t left, std::int64_t top, std::int64_t right,
               std::int64_t bottom) const;
  // The device pixel size of the text TextOut draws (0: none is drawn).
  std::int32_t DrawingFontPixels() const;
  // The device width TextOut gives text, measured with the drawing font.
  std::int32_t DrawnTextWidth(const std::string& text) const;

 private:
  // Lays hatch lines from the sheet's corner rather than the surface's.
  void AnchorHatch();
  std::int32_t DrawingFontHeight() const;
  std::int32_t FromSurfacePixels(std::int32_t pixels) const;

  TPlatformCanvas* target_;
  TVPen pen_;
  std::vector<TPoint> devicePoints_;  // reused by Polyline
  std::int32_t originX_ = 0;
  std::int32_t originY_ = 0;
  std::int32_t zoomPercent_ = 100;
  std::int32_t zoomStep_ = 10;
  double scale_ = 1.0;
  bool printing_ = false;
};
