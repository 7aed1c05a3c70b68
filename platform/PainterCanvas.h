#pragma once

#include "render/PlatformCanvas.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QStaticText>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <optional>
#include <unordered_map>
#include <vector>

class QImage;
class QPaintDevice;

// The platform canvas over a QPainter that it owns and keeps begun on the
// device for its whole life: a window's off-screen image, an image of the
// command-line renderer, or a printer page.
//
// The renderer makes tens of thousands of calls per frame, so the pen, brush
// and font set through Pen(), Brush() and Font() are turned into Qt objects
// only when they differ from what the previous call used, and the painter is
// told only about what changed.
//
// On a raster device (any image) thin lines, dotted outlines and ellipses are
// rasterised here, pixel by pixel, so that the pixel conventions of the
// interface hold exactly in every direction and every pixel is drawn once
// (which is what makes the xor pen restore the image when drawn twice). On
// other devices (printers) Qt's own strokes are used: there a pixel is too
// small for the difference to show.
//
// Conventions beyond those of the interface:
// - The pen mode (copy or xor) applies to Rectangle, Ellipse and lines, to
//   their outline and fill alike. FillRect, TextOut, SetPixel and StretchDraw
//   always copy.
// - A pen wider than one pixel draws solid whatever its style, and in a
//   Rectangle or Ellipse it lies inside the shape's rectangle.
// - A Rectangle or Ellipse whose pen draws nothing fills all of l..r-1 x t..b-1.
// - A brush style other than clear and the diagonal hatch fills solid.
// - A positive font height is the line height (ascent and descent): the
//   pixel size is the one that comes closest to it.
// - Text is drawn in Font().Color, black when that is kNoColor. A brush that
//   fills paints the text's extent (advance by line height) behind it, solid
//   in the brush colour.
class TPainterCanvas : public TPlatformCanvas {
 public:
  explicit TPainterCanvas(QImage& image);
  explicit TPainterCanvas(QPaintDevice& device);
  ~TPainterCanvas() override;
  TPainterCanvas(const TPainterCanvas&) = delete;
  TPainterCanvas& operator=(const TPainterCanvas&) = delete;

  void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) override;
  void FillRect(const TRect& rect) override;
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) override;
  void StretchDraw(const TRect& rect, const TPicture& picture) override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void Polyline(const TPoint* points, std::size_t count) override;
  void TextOut(std::int32_t x, std::int32_t y, const std::string& text) override;
  void SetPixel(std::int32_t x, std::int32_t y, std::int32_t color) override;
  std::int32_t TextWidth(const std::string& text) override;
  std::int32_t TextHeight(const std::string& text) override;
  std::shared_ptr<const TPicture> LoadPicture(const std::string& fileName) override;
  TRect VisibleArea() const override;
  void Flush() override;

  // The painter, for what the canvas leaves to its owner: the clip region and
  // a printer's page breaks. Pen, brush, font, composition mode and the
  // transformation (device pixels throughout) belong to the canvas; a caller
  // must not change them. Draws the pending polyline first, so that a new
  // clip applies only to what follows.
  QPainter& Painter();
  // The Qt font the current Font() resolves to.
  const QFont& QtFont();

 private:
  // What is currently set on the painter, so that unchanged state is not set
  // again.
  enum class TPainterPen : std::uint8_t { kUnknown, kNone, kLine, kThin, kText };
  enum class TPainterBrush : std::uint8_t { kUnknown, kNone, kFill, kPenColor };

  void RebuildPen();
  void RebuildBrush();
  void RebuildFont();
  void SyncPen();
  void SyncBrush();
  void SyncFont();
  void UsePen(TPainterPen pen);
  void UseBrush(TPainterBrush brush);
  void UseMode(QPainter::CompositionMode mode);
  void FlushLine() {
    if (polyline_.size() > 1) DrawPolyline();
    polyline_.clear();
  }
  void DrawPolyline();
  // Appends the pixels of the line from a to b, b excluded, that lie in the
  // visible area; dotPhase_ carries the dot pattern along.
  void RasteriseSegment(QPoint from, QPoint to);
  void RasteriseClippedSegment(QPoint from, QPoint to, std::int64_t steps);
  // For an image that WritesPixels: a thin solid polyline drawn at once; one
  // segment of it; a segment wholly on the image.
  void DrawThinSolidPolyline(const TPoint* points, std::size_t count);
  void PlotSegment(QPoint from, QPoint to);
  template <bool Xor>
  void PlotInsideSegment(QPoint from, QPoint to);
  void DrawPoints();
  void DrawSolidRectangle(const QRect& area);
  void DrawRasterEllipse(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom);
  // The part of the rectangle within the device grown by margin; empty when none.
  QRect Cull(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
             std::int64_t margin) const;

  // Whether thin lines and single pixels may be written straight into the
  // image's memory: a 32-bit image with neither clip nor transform.
  bool WritesPixels() const;
  void WritePixels();
  // Draws the parts of a wide polyline that can reach the device.
  void DrawWidePolyline();

  QPaintDevice& device_;
  QPainter painter_;
  std::uint32_t* bits_ = nullptr;  // the image's pixels, when it is one we may write
  qsizetype wordsPerLine_ = 0;
  std::uint32_t penRgb_ = 0;
  bool penXor_ = false;
  bool opaqueImage_ = false;  // a 32-bit image without transparency
  QImage inkScratch_;         // where a text's ink is found
  bool active_ = false;
  bool raster_ = false;
  QRect deviceRect_;

  // The public state as last turned into Qt objects.
  TPlatformPen pen_;
  TPlatformBrush brush_;
  TPlatformFont font_;

  bool penDraws_ = false;
  bool penThin_ = true;
  std::int32_t penWidth_ = 1;
  bool penDotted_ = false;
  QColor penColor_;
  QPainter::CompositionMode penMode_ = QPainter::CompositionMode_SourceOver;
  QPen linePen_;  // lines as Qt strokes them: wide lines, or any line on a printer
  QPen thinPen_;  // one-pixel solid: the pixels rasterised here
  QBrush penBrush_;

  bool brushFills_ = false;
  QColor brushColor_;
  QBrush fillBrush_;

  // The coverage of the pixels a text inks, over the smallest rectangle
  // that holds them, placed relative to where the text is written.
  struct TInk {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage;  // row by row
  };
  struct TKnownText {
    int Width = 0;
    std::optional<QStaticText> LaidOut;
    std::optional<TInk> Ink;
  };
  // A resolved font with what drawing in it needs. The last few are kept:
  // the renderer measures in the surface's font and draws in another, and
  // resolving a font anew each time would cost more than the drawing.
  struct TResolvedFont {
    TPlatformFont Key;
    QFont Font;
    QFontMetrics Metrics;
    QPen TextPen;
    bool Draws = false;
    // Each text measured once (measuring shapes it) and laid out once,
    // by its Windows-1252 bytes, so that looking one up converts nothing.
    std::unordered_map<std::string, TKnownText> Texts;
  };
  std::unique_ptr<TResolvedFont> ResolveFont(const TPlatformFont& key) const;
  TKnownText& Known(const std::string& text);
  const QStaticText& LaidOut(TKnownText& known, const std::string& text) const;
  // Small texts on an opaque image that WritesPixels are blended from their ink.
  bool BlendsInk() const;
  const TInk& InkOf(TKnownText& known, const std::string& text);
  void BlendInk(const TInk& ink, std::int32_t x, std::int32_t y);

  std::vector<std::unique_ptr<TResolvedFont>> fonts_;  // the most recent first
  TResolvedFont* resolved_ = nullptr;

  TPainterPen painterPen_ = TPainterPen::kUnknown;
  TPainterBrush painterBrush_ = TPainterBrush::kUnknown;
  QPainter::CompositionMode painterMode_ = QPainter::CompositionMode_SourceOver;
  bool painterFontSet_ = false;

  QPoint current_;
  std::vector<QPoint> polyline_;     // the pending polyline; its first point is where it starts
  std::vector<QPoint> points_;       // scratch: rasterised pixels
  std::vector<QRect> rects_;         // scratch: ellipse outline
  std::vector<QRect> fillRects_;     // scratch: ellipse inside
  std::vector<std::int64_t> spans_;  // scratch: ellipse rows
  std::int64_t dotPhase_ = 0;
};
