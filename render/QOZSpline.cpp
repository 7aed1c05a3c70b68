#include "render/QOZSpline.h"

#include "base/InvalidPointer.h"
#include "base/Nearest.h"
#include "model/LinkItem.h"
#include "render/LinkGeometry.h"

#include <cstdlib>

namespace {

constexpr std::int32_t kHandleHalf = 4;
constexpr int kHitSamples = 150;

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
  TLinkGeometry::BuildCurve(*this, *link, from, TLinkGeometry::PositionOn(from, sheet, "TQOZSpline"),
                            to, TLinkGeometry::PositionOn(to, sheet, "TQOZSpline"));
}

bool TQOZSpline::HitCurve(std::int32_t x, std::int32_t y, std::int32_t tolerance) const {
  // Rounding moves a sample by half a unit at most, so a point farther than
  // the tolerance and one unit from the slots a sample weighs cannot be hit
  // by that sample: the whole curve is tested first, then each piece of it.
  const float reach = static_cast<float>(tolerance) + 1;
  const auto beyond = [&](std::int32_t first, std::int32_t count) {
    float minX, minY, maxX, maxY;
    SlotBounds(first, count, minX, minY, maxX, maxY);
    return x <= minX - reach || x >= maxX + reach || y <= minY - reach || y >= maxY + reach;
  };
  if (beyond(0, VertexCount() + 2)) return false;
  const auto hits = [&](const TVertex& c) {
    return std::abs(Nearest(c.X) - x) < tolerance && std::abs(Nearest(c.Y) - y) < tolerance;
  };
  const TSampleTable& table = TSampleTable::LinkHitSamples();
  if (table.VertexCount() != VertexCount()) {
    const float step = 1.0f / kHitSamples;
    for (float t = 0; t < 1; t += step) {
      if (hits(Evaluate(t))) return true;
    }
    return false;
  }
  std::int32_t pieceFirst = -1;
  bool pieceBeyond = false;
  for (std::size_t i = 0; i < table.Samples().size(); ++i) {
    const TSampleTable::TSample& sample = table.Samples()[i];
    if (sample.FirstSlot != pieceFirst) {
      pieceFirst = sample.FirstSlot;
      pieceBeyond = beyond(sample.FirstSlot, sample.SlotCount);
    }
    if (!pieceBeyond && hits(Apply(sample))) return true;
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
