#include "render/LinkGeometry.h"

#include "base/Convert.h"
#include "base/InvalidPointer.h"
#include "base/Nearest.h"
#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "render/BSpline.h"

#include <cstdint>
#include <string>

namespace {

struct TPoint {
  std::int32_t X;
  std::int32_t Y;
};

// Halves round to nearest with ties to even: a width of 75 gives 38, 73 gives 36.
TPoint CentreOf(const TNoteItem& note, const TPosItem& position) {
  return {CheckedAdd(position.X(), Nearest(note.Width() / 2.0L)),
          CheckedAdd(position.Y(), Nearest(note.Height() / 2.0L))};
}

void AddVertex(TBSpline& spline, TPoint point, std::int32_t dx, std::int32_t dy) {
  spline.AddVertex(static_cast<float>(CheckedAdd(point.X, dx)),
                   static_cast<float>(CheckedAdd(point.Y, dy)), 0);
}

}  // namespace

const TPosItem& TLinkGeometry::PositionOn(const TNoteItem& note, const TSheetItem* sheet,
                                          const char* owner) {
  const TPosItem* position = note.LastPositionOn(sheet);
  if (!position) throw EInvalidPointer(std::string(owner) + ": No Position...");
  return *position;
}

void TLinkGeometry::BuildCurve(TBSpline& spline, const TLinkItem& link, const TNoteItem& from,
                               const TPosItem& fromPosition, const TNoteItem& to,
                               const TPosItem& toPosition) {
  const bool curved = link.LineStyle() == 0;
  const std::int32_t fromDx = curved ? link.Ctrl2X() : 1;
  const std::int32_t fromDy = curved ? link.Ctrl2Y() : 1;
  const std::int32_t toDx = curved ? link.Ctrl1X() : 1;
  const std::int32_t toDy = curved ? link.Ctrl1Y() : 1;
  const TPoint source = CentreOf(from, fromPosition);
  const TPoint target = CentreOf(to, toPosition);
  spline.Clear();
  AddVertex(spline, source, 0, 0);
  AddVertex(spline, source, fromDx, fromDy);
  AddVertex(spline, target, toDx, toDy);
  AddVertex(spline, target, 0, 0);
}
