#include "platform/PainterCanvas.h"

#include "model/DataStructures.h"
#include "platform/PictureCache.h"
#include "platform/QtText.h"
#include "platform/QtPicture.h"

#include <QFontDatabase>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <limits>

namespace {

// Past this many pixels a segment's arithmetic would overflow 64 bits; such a
// segment is clipped to the device first (its far end lies far outside).
constexpr std::int64_t kExactSegmentLimit = std::int64_t{1} << 30;
// Wider pens are drawn as this wide: no device is wider.
constexpr std::int32_t kMaxPenWidth = 1 << 16;
// Font sizes beyond this arise only at absurd zooms; the font engine is
// spared them.
constexpr std::int64_t kMaxFontPixels = 1 << 14;
// How far a device without a size of its own reaches each way.
constexpr int kUnboundedReach = 1 << 24;
// Qt's dot pattern: one pixel on, two off.
constexpr std::int64_t kDotPeriod = 3;

QColor ToQColor(std::int32_t color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QString FromCp1252(const std::string& bytes) { return TQtText::FromCp1252(bytes); }

// The stored documents name the fonts of another platform. Where fontconfig
// knows no such family, name the metric-compatible one, so that text keeps
// the widths it was laid out with instead of falling back to whatever
// fontconfig prefers.
void SubstituteMissingFamilies() {
  static const bool registered = [] {
    const QString sans = QStringLiteral("Liberation Sans");
    for (const QString& family : {QStringLiteral("Arial"), QStringLiteral("MS Sans Serif")}) {
      if (!QFontDatabase::hasFamily(family)) QFont::insertSubstitution(family, sans);
    }
    return true;
  }();
  static_cast<void>(registered);
}

QRect Clamped(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
              const QRect& bounds, std::int64_t margin) {
  left = std::max<std::int64_t>(left, std::int64_t{bounds.left()} - margin);
  top = std::max<std::int64_t>(top, std::int64_t{bounds.top()} - margin);
  right = std::min<std::int64_t>(right, std::int64_t{bounds.right()} + 1 + margin);
  bottom = std::min<std::int64_t>(bottom, std::int64_t{bounds.bottom()} + 1 + margin);
  if (right <= left || bottom <= top) return {};
  return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
               static_cast<int>(bottom - top));
}

}  // namespace

TPainterCanvas::TPainterCanvas(QImage& image) : TPainterCanvas(static_cast<QPaintDevice&>(image)) {
  // The painter has made the image's pixels its own (detached) on begin, so
  // these are the very pixels it paints.
  const QImage::Format format = image.format();
  if (active_ && (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                  format == QImage::Format_ARGB32_Premultiplied)) {
    bits_ = reinterpret_cast<std::uint32_t*>(image.bits());
    wordsPerLine_ = image.bytesPerLine() / 4;
    opaqueImage_ = format == QImage::Format_RGB32;
  }
}

TPainterCanvas::TPainterCanvas(QPaintDevice& device) : device_(device) {
  SubstituteMissingFamilies();
  active_ = painter_.begin(&device_);
  if (active_) {
    raster_ = painter_.paintEngine()->type() == QPaintEngine::Raster;
    deviceRect_ = QRect(0, 0, device_.width(), device_.height());
    // A recording grows with what is drawn into it: nothing lies outside.
    if (deviceRect_.isEmpty() && !raster_) {
      deviceRect_ =
          QRect(-kUnboundedReach, -kUnboundedReach, 2 * kUnboundedReach, 2 * kUnboundedReach);
    }
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setCompositionMode(painterMode_);
  }
  Font().PixelsPerInch = device_.logicalDpiY();
  pen_ = Pen();
  brush_ = Brush();
  font_ = Font();
  RebuildPen();
  RebuildBrush();
  RebuildFont();
}

TPainterCanvas::~TPainterCanvas() {
  FlushLine();
  if (active_) painter_.end();
}

QPainter& TPainterCanvas::Painter() {
  FlushLine();
  return painter_;
}

const QFont& TPainterCanvas::QtFont() {
  SyncFont();
  return resolved_->Font;
}

void TPainterCanvas::Flush() { FlushLine(); }

void TPainterCanvas::RebuildPen() {
  penDraws_ = pen_.Color != kNoColor;
  penThin_ = pen_.Width <= 1;
  penWidth_ = penThin_ ? 1 : std::min(pen_.Width, kMaxPenWidth);
  penDotted_ = penThin_ && pen_.Style == kPenStyleDot;
  penMode_ = pen_.Mode == kPenModeXor ? QPainter::RasterOp_SourceXorDestination
                                      : QPainter::CompositionMode_SourceOver;
  const QColor color = ToQColor(pen_.Color);
  thinPen_ = QPen(color, 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  linePen_ = penThin_ ? QPen(color, 0, penDotted_ ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap,
                             Qt::MiterJoin)
                      : QPen(color, penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  penBrush_ = QBrush(color);
  penRgb_ = static_cast<std::uint32_t>(color.rgb()) & 0xFFFFFFu;
  penXor_ = pen_.Mode == kPenModeXor;
  if (painterPen_ == TPainterPen::kLine || painterPen_ == TPainterPen::kThin) {
    painterPen_ = TPainterPen::kUnknown;
  }
  if (painterBrush_ == TPainterBrush::kPenColor) painterBrush_ = TPainterBrush::kUnknown;
}

void TPainterCanvas::RebuildBrush() {
  brushFills_ = brush_.Color != kNoColor && brush_.Style != kBrushStyleClear;
  brushColor_ = ToQColor(brush_.Color);
  fillBrush_ = QBrush(brushColor_,
                      brush_.Style == kBrushStyleBDiagonal ? Qt::BDiagPattern : Qt::SolidPattern);
  if (active_) painter_.setBrushOrigin(brush_.OriginX, brush_.OriginY);
  if (painterBrush_ == TPainterBrush::kFill) painterBrush_ = TPainterBrush::kUnknown;
}

std::unique_ptr<TPainterCanvas::TResolvedFont> TPainterCanvas::ResolveFont(
    const TPlatformFont& key) const {
  QFont font(FromCp1252(key.Name));
  // Full hinting: glyphs sit on the pixel grid, so small text stays crisp and
  // advances are whole pixels; setting it explicitly keeps the metrics from
  // following the desktop's settings.
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  if (key.Height < 0) {
    font.setPixelSize(
        static_cast<int>(std::min<std::int64_t>(-std::int64_t{key.Height}, kMaxFontPixels)));
  } else if (key.Height > 0) {
    // A cell height: the em size whose line height (ascent + descent) comes
    // closest to it.
    const std::int64_t cell = std::min<std::int64_t>(key.Height, kMaxFontPixels);
    font.setPixelSize(static_cast<int>(cell));
    const std::int64_t lineHeight = QFontMetrics(font, &device_).height();
    if (lineHeight > cell) {
      font.setPixelSize(
          static_cast<int>(std::max<std::int64_t>(1, (cell * cell + lineHeight / 2) / lineHeight)));
    }
  }
  QFontMetrics metrics(font, &device_);
  return std::make_unique<TResolvedFont>(TResolvedFont{
      key, font, metrics,
      QPen(key.Color == kNoColor ? QColor(Qt::black) : ToQColor(key.Color)), key.Height != 0, {}});
}

void TPainterCanvas::RebuildFont() {
  constexpr std::size_t kKeptFonts = 4;
  const auto found = std::find_if(fonts_.begin(), fonts_.end(),
                                  [&](const auto& entry) { return entry->Key == font_; });
  if (found != fonts_.end()) {
    std::rotate(fonts_.begin(), found, found + 1);
  } else {
    fonts_.insert(fonts_.begin(), ResolveFont(font_));
    if (fonts_.size() > kKeptFonts) fonts_.pop_back();
  }
  resolved_ = fonts_.front().get();
  painterFontSet_ = false;
  if (painterPen_ == TPainterPen::kText) painterPen_ = TPainterPen::kUnknown;
}

// Titles and labels repeat from frame to frame; a bound keeps a long session
// from collecting every text it ever showed.
constexpr qsizetype kKeptTexts = 1 << 14;

TPainterCanvas::TKnownText& TPainterCanvas::Known(const std::string& text) {
  auto& texts = resolved_->Texts;
  const auto found = texts.find(text);
  if (found != texts.end()) return found->second;
  if (texts.size() >= static_cast<std::size_t>(kKeptTexts)) texts.clear();
  TKnownText& known = texts[text];
  known.Width = resolved_->Metrics.horizontalAdvance(FromCp1252(text));
  return known;
}

void TPainterCanvas::SyncPen() {
  if (Pen() == pen_) return;
  pen_ = Pen();
  RebuildPen();
}

void TPainterCanvas::SyncBrush() {
  if (Brush() == brush_) return;
  brush_ = Brush();
  RebuildBrush();
}

void TPainterCanvas::SyncFont() {
  if (Font() == font_) return;
  font_ = Font();
  RebuildFont();
}

void TPainterCanvas::UsePen(TPainterPen pen) {
  if (painterPen_ == pen) return;
  switch (pen) {
    case TPainterPen::kLine:
      painter_.setPen(linePen_);
      break;
    case TPainterPen::kThin:
      painter_.setPen(thinPen_);
      break;
    case TPainterPen::kText:
      painter_.setPen(resolved_->TextPen);
      break;
    case TPainterPen::kNone:
    case TPainterPen::kUnknown:
      painter_.setPen(Qt::NoPen);
      break;
  }
  painterPen_ = pen;
}

void TPainterCanvas::UseBrush(TPainterBrush brush) {
  if (painterBrush_ == brush) return;
  switch (brush) {
    case TPainterBrush::kFill:
      painter_.setBrush(fillBrush_);
      break;
    case TPainterBrush::kPenColor:
      painter_.setBrush(penBrush_);
      break;
    case TPainterBrush::kNone:
    case TPainterBrush::kUnknown:
      painter_.setBrush(Qt::NoBrush);
      break;
  }
  painterBrush_ = brush;
}

void TPainterCanvas::UseMode(QPainter::CompositionMode mode) {
  if (painterMode_ == mode) return;
  painter_.setCompositionMode(mode);
  painterMode_ = mode;
}

QRect TPainterCanvas::Cull(std::int64_t left, std::int64_t top, std::int64_t right,
                           std::int64_t bottom, std::int64_t margin) const {
  return Clamped(left, top, right, bottom, deviceRect_, margin);
}

void TPainterCanvas::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom) {
  FlushLine();
  if (!active_ || right <= left || bottom <= top) return;
  SyncPen();
  SyncBrush();
  if (!penDraws_ && !brushFills_) return;
  UseMode(penMode_);
  if (!penDraws_) {
    const QRect area = Cull(left, top, right, bottom, 0);
    if (!area.isEmpty()) painter_.fillRect(area, fillBrush_);
    return;
  }
  if (penDotted_) {
    if (raster_) {
      points_.clear();
      dotPhase_ = 0;
      if (bottom - top == 1) {
        RasteriseSegment({left, top}, {right, top});
      } else if (right - left == 1) {
        RasteriseSegment({left, top}, {left, bottom});
      } else {
        const QPoint corners[] = {{left, top},
                                  {right - 1, top},
                                  {right - 1, bottom - 1},
                                  {left, bottom - 1},
                                  {left, top}};
        for (int i = 0; i < 4; ++i) RasteriseSegment(corners[i], corners[i + 1]);
      }
      DrawPoints();
    } else {
      const QRect area = Cull(left, top, right, bottom, 2);
      if (area.isEmpty()) return;
      UsePen(TPainterPen::kLine);
      UseBrush(TPainterBrush::kNone);
      painter_.drawRect(area.adjusted(0, 0, -1, -1));
    }
    if (brushFills_) {
      const QRect inside = Cull(std::int64_t{left} + 1, std::int64_t{top} + 1,
                                std::int64_t{right} - 1, std::int64_t{bottom} - 1, 0);
      if (!inside.isEmpty()) painter_.fillRect(inside, fillBrush_);
    }
    return;
  }
  // Culled with a margin wider than the pen: the edges that culling moves lie
  // outside the device, where their outline changes nothing.
  const QRect area = Cull(left, top, right, bottom, penWidth_ + 1);
  if (area.isEmpty()) return;
  DrawSolidRectangle(area);
}

// Four strips that do not overlap and the inside: every pixel is drawn once,
// which the xor pen needs.
void TPainterCanvas::DrawSolidRectangle(const QRect& area) {
  const int w = penWidth_;
  if (area.width() <= 2 * w || area.height() <= 2 * w) {
    painter_.fillRect(area, penBrush_);
    return;
  }
  const int innerHeight = area.height() - 2 * w;
  const QRect strips[] = {
      QRect(area.left(), area.top(), area.width(), w),
      QRect(area.left(), area.bottom() - w + 1, area.width(), w),
      QRect(area.left(), area.top() + w, w, innerHeight),
      QRect(area.right() - w + 1, area.top() + w, w, innerHeight),
  };
  UsePen(TPainterPen::kNone);
  UseBrush(TPainterBrush::kPenColor);
  painter_.drawRects(strips, 4);
  if (brushFills_) painter_.fillRect(area.adjusted(w, w, -w, -w), fillBrush_);
}

void TPainterCanvas::FillRect(const TRect& rect) {
  FlushLine();
  if (!active_ || rect.IsEmpty()) return;
  SyncBrush();
  if (!brushFills_) return;
  const QRect area = Cull(rect.Left, rect.Top, rect.Right, rect.Bottom, 0);
  if (area.isEmpty()) return;
  UseMode(QPainter::CompositionMode_SourceOver);
  painter_.fillRect(area, fillBrush_);
}

void TPainterCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                             std::int32_t bottom) {
  FlushLine();
  if (!active_ || right <= left || bottom <= top) return;
  SyncPen();
  SyncBrush();
  if (!penDraws_ && !brushFills_) return;
  if (Cull(left, top, right, bottom, 0).isEmpty()) return;
  UseMode(penMode_);
  if (raster_) {
    DrawRasterEllipse(left, top, right, bottom);
    return;
  }
  const double inset = penDraws_ ? penWidth_ / 2.0 : 0.0;
  UsePen(penDraws_ ? TPainterPen::kLine : TPainterPen::kNone);
  UseBrush(brushFills_ ? TPainterBrush::kFill : TPainterBrush::kNone);
  painter_.drawEllipse(QRectF(left + inset, top + inset, double(right) - left - 2 * inset,
                              double(bottom) - top - 2 * inset));
}

// The ellipse is the set of pixels whose centres lie inside the ellipse
// inscribed in the rectangle's outer edges; the outline is the band of those
// within pen width (in steps left, right, up and down) of a pixel outside the
// set, and the brush fills the rest. Rows are computed only where they can
// show.
void TPainterCanvas::DrawRasterEllipse(std::int64_t left, std::int64_t top, std::int64_t right,
                                       std::int64_t bottom) {
  const std::int64_t band = penDraws_ ? penWidth_ : 0;
  const std::int64_t firstRow = std::max<std::int64_t>(top, deviceRect_.top() - 1);
  const std::int64_t lastRow = std::min<std::int64_t>(bottom - 1, deviceRect_.bottom() + 1);
  if (lastRow < firstRow) return;
  // Spans of the rows firstRow - band .. lastRow + band, as their left ends;
  // a span is mirrored about the centre, so its right end is left + right - 1
  // - its left end. An empty row holds kEmpty.
  constexpr std::int64_t kEmpty = std::numeric_limits<std::int64_t>::max();
  const std::int64_t spanTop = firstRow - band;
  const std::int64_t rows = lastRow - firstRow + 1 + 2 * band;
  spans_.assign(static_cast<std::size_t>(rows), kEmpty);
  const double width = double(right - left);
  const double height = double(bottom - top);
  const double centre2 = double(left + right);  // twice the centre's x
  for (std::int64_t i = 0; i < rows; ++i) {
    const std::int64_t y = spanTop + i;
    if (y < top || y >= bottom) continue;
    // In units of half a pixel, from the centre.
    const double dy = double(2 * y + 1 - (top + bottom)) / height;
    const double rest = 1.0 - dy * dy;
    if (rest < 0) continue;
    const double reach = width * std::sqrt(rest);
    const auto x = static_cast<std::int64_t>(std::ceil((centre2 - 1 - reach) / 2));
    if (2 * x <= left + right - 1) spans_[static_cast<std::size_t>(i)] = x;
  }
  const auto span = [&](std::int64_t y, std::int64_t& l, std::int64_t& r) {
    const std::int64_t x = spans_[static_cast<std::size_t>(y - spanTop)];
    if (x == kEmpty) return false;
    l = x;
    r = left + right - 1 - x;
    return true;
  };
  const std::int64_t clipLeft = deviceRect_.left() - 1;
  const std::int64_t clipRight = deviceRect_.right() + 1;
  const auto add = [&](std::vector<QRect>& to, std::int64_t y, std::int64_t l, std::int64_t r) {
    l = std::max(l, clipLeft);
    r = std::min(r, clipRight);
    if (l <= r) {
      to.emplace_back(QPoint(static_cast<int>(l), static_cast<int>(y)),
                      QPoint(static_cast<int>(r), static_cast<int>(y)));
    }
  };
  rects_.clear();
  fillRects_.clear();
  for (std::int64_t y = firstRow; y <= lastRow; ++y) {
    std::int64_t l = 0;
    std::int64_t r = 0;
    if (!span(y, l, r)) continue;
    // The inside: the pixels whose every pixel within band steps is in the
    // set. The set is convex, so the four band steps away along the axes tell.
    std::int64_t insideLeft = l + band;
    std::int64_t insideRight = r - band;
    for (const std::int64_t row : {y - band, y + band}) {
      std::int64_t rowLeft = 0;
      std::int64_t rowRight = 0;
      if (band > 0 && !span(row, rowLeft, rowRight)) {
        insideLeft = 1;
        insideRight = 0;
        break;
      }
      if (band > 0) {
        insideLeft = std::max(insideLeft, rowLeft);
        insideRight = std::min(insideRight, rowRight);
      }
    }
    if (insideLeft > insideRight) {
      add(rects_, y, l, r);
      continue;
    }
    add(rects_, y, l, insideLeft - 1);
    add(rects_, y, insideRight + 1, r);
    add(fillRects_, y, insideLeft, insideRight);
  }
  UsePen(TPainterPen::kNone);
  if (penDraws_ && !rects_.empty()) {
    UseBrush(TPainterBrush::kPenColor);
    painter_.drawRects(rects_.data(), static_cast<int>(rects_.size()));
  }
  if (brushFills_ && !fillRects_.empty()) {
    UseBrush(TPainterBrush::kFill);
    painter_.drawRects(fillRects_.data(), static_cast<int>(fillRects_.size()));
  }
}

void TPainterCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  FlushLine();
  current_ = QPoint(x, y);
}

void TPainterCanvas::LineTo(std::int32_t x, std::int32_t y) {
  // The pending polyline is drawn with the pen it was started with.
  if (!polyline_.empty() && Pen() != pen_) FlushLine();
  SyncPen();
  const QPoint to(x, y);
  // A segment of no length has no pixels (and moves no dot pattern on): at
  // small zooms many samples of a curve fall on the same pixel.
  if (penDraws_ && (polyline_.empty() || to != current_)) {
    if (polyline_.empty()) polyline_.push_back(current_);
    polyline_.push_back(to);
  }
  current_ = to;
}

// The same as MoveTo and LineTo one by one, without a call for each point.
void TPainterCanvas::Polyline(const TPoint* points, std::size_t count) {
  if (count == 0) return;
  MoveTo(points[0].X, points[0].Y);
  if (count == 1) return;
  SyncPen();
  const QPoint last(points[count - 1].X, points[count - 1].Y);
  if (!penDraws_) {
    current_ = last;
    return;
  }
  if (active_ && raster_ && penThin_ && !penDotted_ && WritesPixels()) {
    // A solid thin line shows the same pixels drawn now or held back, and
    // drawn now it needs no copy of its points.
    DrawThinSolidPolyline(points, count);
    current_ = last;
    return;
  }
  polyline_.reserve(count);
  polyline_.push_back(current_);
  polyline_.emplace_back(points[1].X, points[1].Y);
  for (std::size_t i = 2; i < count; ++i) {
    const QPoint to(points[i].X, points[i].Y);
    if (to != polyline_.back()) polyline_.push_back(to);
  }
  current_ = last;
}

void TPainterCanvas::DrawPolyline() {
  if (!active_) return;
  UseMode(penMode_);
  if (raster_ && penThin_) {
    points_.clear();
    dotPhase_ = 0;
    const bool direct = !penDotted_ && WritesPixels();
    for (std::size_t i = 0; i + 1 < polyline_.size(); ++i) {
      const QPoint& from = polyline_[i];
      const QPoint& to = polyline_[i + 1];
      if (direct) {
        PlotSegment(from, to);
        continue;
      }
      // A step to a neighbouring pixel draws its start alone; at small zooms
      // most of a curve's segments are such steps.
      const std::int64_t dx = std::int64_t{to.x()} - from.x();
      const std::int64_t dy = std::int64_t{to.y()} - from.y();
      if (!penDotted_ && std::abs(dx) <= 1 && std::abs(dy) <= 1) {
        if (deviceRect_.contains(from)) points_.push_back(from);
        ++dotPhase_;
        continue;
      }
      RasteriseSegment(from, to);
    }
    DrawPoints();
    return;
  }
  DrawWidePolyline();
}

// A segment whose box, grown by the pen, misses the device draws nothing, nor
// do the round joins and caps at its ends; the neighbours of a visible
// segment are kept, so that every join that shows is drawn as it would be.
void TPainterCanvas::DrawWidePolyline() {
  UsePen(TPainterPen::kLine);
  const std::int64_t margin = std::int64_t{penWidth_} + 2;
  const auto reaches = [&](std::size_t segment) {
    const QPoint& a = polyline_[segment];
    const QPoint& b = polyline_[segment + 1];
    return !Cull(std::min(a.x(), b.x()), std::min(a.y(), b.y()),
                 std::int64_t{std::max(a.x(), b.x())} + 1, std::int64_t{std::max(a.y(), b.y())} + 1,
                 margin)
                .isEmpty();
  };
  const std::size_t segments = polyline_.size() - 1;
  std::vector<char> shown(segments, 0);
  for (std::size_t i = 0; i < segments; ++i) {
    if (!reaches(i)) continue;
    shown[i] = 1;
    if (i > 0) shown[i - 1] = 1;
    if (i + 1 < segments) shown[i + 1] = 1;
  }
  for (std::size_t first = 0; first < segments;) {
    if (!shown[first]) {
      ++first;
      continue;
    }
    std::size_t last = first;
    while (last + 1 < segments && shown[last + 1]) ++last;
    painter_.drawPolyline(polyline_.data() + first, static_cast<int>(last - first + 2));
    first = last + 1;
  }
}

bool TPainterCanvas::WritesPixels() const {
  return bits_ && !painter_.hasClipping() && painter_.transform().isIdentity();
}

// Every point lies on the device (the rasteriser keeps to it). Xor keeps the
// alpha byte, as the painter's raster operation does.
void TPainterCanvas::WritePixels() {
  if (penXor_) {
    for (const QPoint& p : points_) bits_[p.y() * wordsPerLine_ + p.x()] ^= penRgb_;
  } else {
    const std::uint32_t opaque = 0xFF000000u | penRgb_;
    for (const QPoint& p : points_) bits_[p.y() * wordsPerLine_ + p.x()] = opaque;
  }
}

void TPainterCanvas::DrawPoints() {
  if (points_.empty()) return;
  if (WritesPixels()) {
    WritePixels();
    return;
  }
  UsePen(TPainterPen::kThin);
  painter_.drawPoints(points_.data(), static_cast<int>(points_.size()));
}

// Steps along the major axis; the minor coordinate is rounded from the exact
// line, half away from the start. Only the steps inside the device are
// visited, so a long line costs what it shows.
void TPainterCanvas::RasteriseSegment(QPoint from, QPoint to) {
  const std::int64_t x0 = from.x();
  const std::int64_t y0 = from.y();
  const std::int64_t dx = std::int64_t{to.x()} - x0;
  const std::int64_t dy = std::int64_t{to.y()} - y0;
  const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  if (steps >= kExactSegmentLimit) {
    RasteriseClippedSegment(from, to, steps);
    return;
  }
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const std::int64_t major0 = xMajor ? x0 : y0;
  const std::int64_t minor0 = xMajor ? y0 : x0;
  const std::int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const std::int64_t minorDelta = xMajor ? dy : dx;
  const std::int64_t minorStep = minorDelta < 0 ? -1 : 1;
  const std::int64_t minorSpan = std::abs(minorDelta);
  const std::int64_t majorLow = xMajor ? deviceRect_.left() : deviceRect_.top();
  const std::int64_t majorHigh = xMajor ? deviceRect_.right() : deviceRect_.bottom();
  const std::int64_t minorLow = xMajor ? deviceRect_.top() : deviceRect_.left();
  const std::int64_t minorHigh = xMajor ? deviceRect_.bottom() : deviceRect_.right();
  std::int64_t first = majorStep > 0 ? majorLow - major0 : major0 - majorHigh;
  std::int64_t last = majorStep > 0 ? majorHigh - major0 : major0 - majorLow;
  first = std::max<std::int64_t>(first, 0);
  last = std::min<std::int64_t>(last, steps - 1);
  // The minor offset is i * span / steps rounded half up, kept as a
  // quotient and remainder so that no pixel needs a division.
  const std::int64_t denominator = 2 * steps;
  // Most segments start on the device, where no division is needed.
  std::int64_t quotient = 0;
  std::int64_t remainder = steps;
  if (first > 0) {
    quotient = (2 * first * minorSpan + steps) / denominator;
    remainder = (2 * first * minorSpan + steps) % denominator;
  }
  for (std::int64_t i = first; i <= last; ++i) {
    if (i > first) {
      remainder += 2 * minorSpan;
      while (remainder >= denominator) {
        remainder -= denominator;
        ++quotient;
      }
    }
    if (penDotted_ && (dotPhase_ + i) % kDotPeriod != 0) continue;
    const std::int64_t minor = minor0 + minorStep * quotient;
    if (minor < minorLow || minor > minorHigh) {
      // Once past the device along the minor axis, nothing more of the line shows.
      const bool past = minorSpan == 0 || (minorStep > 0 ? minor > minorHigh : minor < minorLow);
      if (past) break;
      continue;
    }
    const std::int64_t major = major0 + majorStep * i;
    points_.emplace_back(static_cast<int>(xMajor ? major : minor),
                         static_cast<int>(xMajor ? minor : major));
  }
  dotPhase_ += steps;
}

void TPainterCanvas::DrawThinSolidPolyline(const TPoint* points, std::size_t count) {
  points_.clear();
  QPoint from(points[0].X, points[0].Y);
  for (std::size_t i = 1; i < count; ++i) {
    const QPoint to(points[i].X, points[i].Y);
    // A segment of no length has no pixels: at small zooms many samples of a
    // curve fall on the same pixel.
    if (to == from) continue;
    PlotSegment(from, to);
    from = to;
  }
  WritePixels();
}

// A segment with both ends on the device lies wholly on it (the device is
// convex): its pixels need no test and go straight to the image. The others
// are clipped, and their pixels are written with the rest.
void TPainterCanvas::PlotSegment(QPoint from, QPoint to) {
  const auto onDevice = [this](QPoint p) {
    return p.x() >= deviceRect_.left() && p.x() <= deviceRect_.right() &&
           p.y() >= deviceRect_.top() && p.y() <= deviceRect_.bottom();
  };
  if (!onDevice(from) || !onDevice(to)) {
    RasteriseSegment(from, to);
  } else if (penXor_) {
    PlotInsideSegment<true>(from, to);
  } else {
    PlotInsideSegment<false>(from, to);
  }
}

// The pixels RasteriseSegment would give, walked by their offsets in the
// image: the minor coordinate moves on when the remainder passes a whole step.
template <bool Xor>
void TPainterCanvas::PlotInsideSegment(QPoint from, QPoint to) {
  const int dx = to.x() - from.x();
  const int dy = to.y() - from.y();
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int steps = xMajor ? std::abs(dx) : std::abs(dy);
  const int span = xMajor ? std::abs(dy) : std::abs(dx);
  const qsizetype xStride = dx < 0 ? -1 : 1;
  const qsizetype yStride = dy < 0 ? -wordsPerLine_ : wordsPerLine_;
  const qsizetype majorStride = xMajor ? xStride : yStride;
  const qsizetype minorStride = xMajor ? yStride : xStride;
  const std::uint32_t opaque = 0xFF000000u | penRgb_;
  std::uint32_t* pixel = bits_ + from.y() * wordsPerLine_ + from.x();
  const int denominator = 2 * steps;
  int remainder = steps;
  for (int i = 0; i < steps; ++i) {
    if constexpr (Xor) {
      *pixel ^= penRgb_;
    } else {
      *pixel = opaque;
    }
    pixel += majorStride;
    remainder += 2 * span;
    if (remainder >= denominator) {
      remainder -= denominator;
      pixel += minorStride;
    }
  }
}

void TPainterCanvas::RasteriseClippedSegment(QPoint from, QPoint to, std::int64_t steps) {
  const double x0 = from.x();
  const double y0 = from.y();
  const double dx = double(to.x()) - x0;
  const double dy = double(to.y()) - y0;
  double enter = 0.0;
  double leave = 1.0;
  const double margin = 2.0;
  const double low[] = {deviceRect_.left() - margin, deviceRect_.top() - margin};
  const double high[] = {deviceRect_.right() + margin, deviceRect_.bottom() + margin};
  const double start[] = {x0, y0};
  const double delta[] = {dx, dy};
  const std::int64_t phase = dotPhase_;
  bool visible = true;
  for (int axis = 0; axis < 2 && visible; ++axis) {
    if (delta[axis] == 0) {
      visible = start[axis] >= low[axis] && start[axis] <= high[axis];
      continue;
    }
    double a = (low[axis] - start[axis]) / delta[axis];
    double b = (high[axis] - start[axis]) / delta[axis];
    if (a > b) std::swap(a, b);
    enter = std::max(enter, a);
    leave = std::min(leave, b);
    visible = enter <= leave;
  }
  if (visible) {
    const QPoint a(static_cast<int>(std::lround(x0 + enter * dx)),
                   static_cast<int>(std::lround(y0 + enter * dy)));
    const QPoint b(static_cast<int>(std::lround(x0 + leave * dx)),
                   static_cast<int>(std::lround(y0 + leave * dy)));
    dotPhase_ = phase + static_cast<std::int64_t>(enter * double(steps));
    RasteriseSegment(enter > 0 ? a : from, leave < 1 ? b : to);
  }
  dotPhase_ = phase + steps;
}

void TPainterCanvas::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
  FlushLine();
  if (!active_ || text.empty()) return;
  SyncFont();
  if (!resolved_->Draws) return;
  SyncBrush();
  TKnownText& known = Known(text);
  const QFontMetrics& metrics = resolved_->Metrics;
  const std::int64_t width = known.Width;
  const std::int64_t height = metrics.height();
  // Glyphs may overhang their advance a little; a margin keeps them.
  const std::int64_t margin = metrics.maxWidth();
  if (Cull(std::int64_t{x} - margin, y, std::int64_t{x} + width + margin, std::int64_t{y} + height,
           0)
          .isEmpty()) {
    return;
  }
  UseMode(QPainter::CompositionMode_SourceOver);
  if (brushFills_) {
    painter_.fillRect(QRect(x, y, static_cast<int>(width), static_cast<int>(height)), brushColor_);
  }
  if (BlendsInk()) {
    BlendInk(InkOf(known, text), x, y);
    return;
  }
  UsePen(TPainterPen::kText);
  if (!painterFontSet_) {
    painter_.setFont(resolved_->Font);
    painterFontSet_ = true;
  }
  painter_.drawStaticText(QPoint(x, y), LaidOut(known, text));
}

const QStaticText& TPainterCanvas::LaidOut(TKnownText& known, const std::string& text) const {
  if (!known.LaidOut) {
    QStaticText laidOut(FromCp1252(text));
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
    laidOut.prepare(QTransform(), resolved_->Font);
    known.LaidOut = std::move(laidOut);
  }
  return *known.LaidOut;
}

// Larger texts are few on the device, and their ink would take much memory.
constexpr int kLargestInkedText = 32;

bool TPainterCanvas::BlendsInk() const {
  return opaqueImage_ && WritesPixels() && resolved_->Metrics.height() <= kLargestInkedText;
}

// The text is drawn once, by the painter, onto a transparent image; its
// coverage is kept and blended from then on, which costs a fraction of
// laying its glyphs out again at every drawing.
const TPainterCanvas::TInk& TPainterCanvas::InkOf(TKnownText& known, const std::string& text) {
  if (known.Ink) return *known.Ink;
  const QFontMetrics& metrics = resolved_->Metrics;
  // Room for glyphs that overhang their advance or the line.
  const int margin = metrics.maxWidth() + 2;
  const QSize size(known.Width + 2 * margin, metrics.height() + 2 * margin);
  if (inkScratch_.width() < size.width() || inkScratch_.height() < size.height()) {
    inkScratch_ = QImage(size.expandedTo(inkScratch_.size()), QImage::Format_ARGB32_Premultiplied);
  }
  inkScratch_.fill(Qt::transparent);
  {
    QPainter scratch(&inkScratch_);
    scratch.setFont(resolved_->Font);
    scratch.setPen(resolved_->TextPen);
    scratch.drawStaticText(QPoint(margin, margin), LaidOut(known, text));
  }
  const auto alphaAt = [&](int x, int y) {
    return qAlpha(reinterpret_cast<const QRgb*>(inkScratch_.constScanLine(y))[x]);
  };
  QRect inked;
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      if (alphaAt(x, y) != 0) inked |= QRect(x, y, 1, 1);
    }
  }
  TInk ink{inked.left() - margin, inked.top() - margin, inked.width(), inked.height(), {}};
  ink.Coverage.reserve(static_cast<std::size_t>(inked.width()) * inked.height());
  for (int y = inked.top(); y <= inked.bottom(); ++y) {
    for (int x = inked.left(); x <= inked.right(); ++x) {
      ink.Coverage.push_back(static_cast<std::uint8_t>(alphaAt(x, y)));
    }
  }
  known.Ink = std::move(ink);
  return *known.Ink;
}

// Source-over of the text's colour at each coverage onto opaque pixels, with
// the painter's own rounding.
void TPainterCanvas::BlendInk(const TInk& ink, std::int32_t x, std::int32_t y) {
  const auto byteMul = [](std::uint32_t pixel, std::uint32_t alpha) {
    std::uint64_t t =
        ((std::uint64_t{pixel} | (std::uint64_t{pixel} << 24)) & 0x00FF00FF00FF00FFull) * alpha;
    t = (t + ((t >> 8) & 0x00FF00FF00FF00FFull) + 0x0080008000800080ull) >> 8;
    t &= 0x00FF00FF00FF00FFull;
    return static_cast<std::uint32_t>(t) | static_cast<std::uint32_t>(t >> 24);
  };
  const std::uint32_t colour = qPremultiply(resolved_->TextPen.color().rgba());
  const QRect area = QRect(x + ink.Left, y + ink.Top, ink.Width, ink.Height) & deviceRect_;
  for (int py = area.top(); py <= area.bottom(); ++py) {
    const std::uint8_t* coverage =
        ink.Coverage.data() + static_cast<std::size_t>(py - y - ink.Top) * ink.Width;
    std::uint32_t* line = bits_ + py * wordsPerLine_;
    for (int px = area.left(); px <= area.right(); ++px) {
      const std::uint32_t alpha = coverage[px - x - ink.Left];
      if (alpha == 0) continue;
      const std::uint32_t source = byteMul(colour, alpha);
      line[px] = source + byteMul(line[px], 255 - (source >> 24));
    }
  }
}

void TPainterCanvas::SetPixel(std::int32_t x, std::int32_t y, std::int32_t color) {
  FlushLine();
  if (!active_ || color == kNoColor || !deviceRect_.contains(x, y)) return;
  if (WritesPixels()) {
    bits_[y * wordsPerLine_ + x] =
        0xFF000000u | (static_cast<std::uint32_t>(ToQColor(color).rgb()) & 0xFFFFFFu);
    return;
  }
  UseMode(QPainter::CompositionMode_SourceOver);
  painter_.fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

// Nearest-neighbour scaling: cheap enough to redraw every picture at every
// frame, and each target pixel shows a pixel of the picture as it is.
void TPainterCanvas::StretchDraw(const TRect& rect, const TPicture& picture) {
  FlushLine();
  if (!active_ || rect.IsEmpty()) return;
  const auto* qtPicture = dynamic_cast<const TQtPicture*>(&picture);
  if (qtPicture == nullptr || qtPicture->Image().isNull()) return;
  if (Cull(rect.Left, rect.Top, rect.Right, rect.Bottom, 0).isEmpty()) return;
  UseMode(QPainter::CompositionMode_SourceOver);
  painter_.drawImage(
      QRectF(rect.Left, rect.Top, double(rect.Right) - rect.Left, double(rect.Bottom) - rect.Top),
      qtPicture->Image());
}

std::int32_t TPainterCanvas::TextWidth(const std::string& text) {
  SyncFont();
  if (!resolved_->Draws || text.empty()) return 0;
  return Known(text).Width;
}

std::int32_t TPainterCanvas::TextHeight(const std::string& /*text*/) {
  SyncFont();
  return resolved_->Draws ? resolved_->Metrics.height() : 0;
}

std::shared_ptr<const TPicture> TPainterCanvas::LoadPicture(const std::string& fileName) {
  if (fileName.empty()) return nullptr;
  return TPictureCache::Shared().Load(FromCp1252(fileName));
}

TRect TPainterCanvas::VisibleArea() const {
  QRect area = deviceRect_;
  if (active_ && painter_.hasClipping()) area &= painter_.clipBoundingRect().toAlignedRect();
  if (area.isEmpty()) return {};
  return {area.left(), area.top(), area.right() + 1, area.bottom() + 1};
}
