#include "render/QOZSpline.h"

#include "base/InvalidPointer.h"
#include "base/Nearest.h"
#include "model/LinkItem.h"
#include "render/LinkGeometry.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr std::int32_t kHandleHalf = 4;
constexpr int kHitSamples = 150;

struct TPoint {
  std::int32_t X;
  std::int32_t Y;
};

// Whether the segment from a to b passes closer than the tolerance to (x, y).
bool SegmentPassesWithin(const TPoint& a, const TPoint& b, std::int32_t x, std::int32_t y,
                         std::int32_t tolerance) {
  if (x <= std::min(a.X, b.X) - tolerance || x >= std::max(a.X, b.X) + tolerance ||
      y <= std::min(a.Y, b.Y) - tolerance || y >= std::max(a.Y, b.Y) + tolerance) {
    return false;
  }
  const double dx = static_cast<double>(b.X) - a.X;
  const double dy = static_cast<double>(b.Y) - a.Y;
  const double px = static_cast<double>(x) - a.X;
  const double py = static_cast<double>(y) - a.Y;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
  const double ex = px - t * dx;
  const double ey = py - t * dy;
  return ex * ex + ey * ey < static_cast<double>(tolerance) * tolerance;
}

bool StrictlyInside(const TRect& rect, std::int32_t x, std::int32_t y) {
  return rect.Left < x && x < rect.Right && rect.Top < y && y < rect.Bottom;
}

}  // namespace

void TQOZSpline::BuildForLink(TLinkItem* link, TSheetItem* sheet) {
  Clear();
  link_ = link;
  sheet_ = sheet;
  const TNoteItem& from = *link->FromNote();
  const TNoteItem& to = *link->ToNote();
  TLinkGeometry::BuildCurve(*this, *link, from,
                            TLinkGeometry::PositionOn(from, sheet, "TQOZSpline"), to,
                            TLinkGeometry::PositionOn(to, sheet, "TQOZSpline"));
}

bool TQOZSpline::HitCurve(std::int32_t x, std::int32_t y, std::int32_t tolerance) const {
  // Rounding moves a sample by half a unit at most, so a point farther than
  // the tolerance and one unit from the slots a sample weighs cannot be hit
  // by that sample, nor by the line between it and its neighbour: the whole
  // curve is tested first, then each piece of it.
  const float reach = static_cast<float>(tolerance) + 1;
  const auto beyond = [&](std::int32_t first, std::int32_t count) {
    float minX, minY, maxX, maxY;
    SlotBounds(first, count, minX, minY, maxX, maxY);
    return x <= minX - reach || x >= maxX + reach || y <= minY - reach || y >= maxY + reach;
  };
  if (beyond(0, VertexCount() + 2)) return false;
  const auto rounded = [](const TVertex& c) { return TPoint{Nearest(c.X), Nearest(c.Y)}; };
  // A sample is hit within the strict tolerance square around it. The samples
  // of a long curve lie farther apart than that, so the line drawn between
  // two neighbours is hit where it passes closer than the tolerance.
  std::optional<TPoint> previous;
  const auto hits = [&](const TPoint& c) {
    const bool hit = std::abs(c.X - x) < tolerance && std::abs(c.Y - y) < tolerance;
    const bool between = previous && SegmentPassesWithin(*previous, c, x, y, tolerance);
    previous = c;
    return hit || between;
  };
  const TSampleTable& table = TSampleTable::LinkHitSamples();
  if (table.VertexCount() != VertexCount()) {
    const float step = 1.0f / kHitSamples;
    for (float t = 0; t < 1; t += step) {
      if (hits(rounded(Evaluate(t)))) return true;
    }
    return false;
  }
  // A piece is the run of samples weighing the same slots; the first sample
  // weighs fewer slots than those after it.
  std::int32_t pieceFirst = -1;
  std::int32_t pieceCount = -1;
  bool pieceBeyond = false;
  const std::vector<TSampleTable::TSample>& samples = table.Samples();
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const TSampleTable::TSample& sample = samples[i];
    if (sample.FirstSlot != pieceFirst || sample.SlotCount != pieceCount) {
      pieceFirst = sample.FirstSlot;
      pieceCount = sample.SlotCount;
      pieceBeyond = beyond(sample.FirstSlot, sample.SlotCount);
    }
    if (pieceBeyond) {
      previous.reset();
      continue;
    }
    // The line from the last sample of a skipped piece counts too.
    if (!previous && i > 0) previous = rounded(Apply(samples[i - 1]));
    if (hits(rounded(Apply(sample)))) return true;
  }
  return false;
}

TRect TQOZSpline::HandleRect(std::int32_t option) const {
  if (option != kToHandle && option != kFromHandle) {
    throw EInvalidPointer("TQOZSpline: No Valid Option...");
  }
  const TVertex handle = Vertex(option == kToHandle ? 3 : 2);
  const std::int32_t hx = Nearest(handle.X);
  const std::int32_t hy = Nearest(handle.Y);
  return {hx - kHandleHalf, hy - kHandleHalf, hx + kHandleHalf, hy + kHandleHalf};
}

std::int32_t TQOZSpline::HandleAt(std::int32_t x, std::int32_t y) const {
  if (StrictlyInside(HandleRect(kToHandle), x, y)) return kToHandle;
  if (StrictlyInside(HandleRect(kFromHandle), x, y)) return kFromHandle;
  return kNoHandle;
}
