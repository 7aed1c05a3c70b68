#include "render/AggSpline.h"

#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "render/LinkGeometry.h"

namespace {

const TNoteItem& ShownEnd(const TNoteItem& end, const TNoteItem& aggregationNote,
                          const TSheetItem* sheet) {
  return end.IsPlacedOn(sheet) ? end : aggregationNote;
}

}  // namespace

void TAggSpline::BuildForAggregation(TNoteItem* aggregationNote, TLinkItem* link,
                                     TSheetItem* sheet) {
  Clear();
  link_ = link;
  sheet_ = sheet;
  aggregationNote_ = aggregationNote;
  const TNoteItem& from = ShownEnd(*link->FromNote(), *aggregationNote, sheet);
  const TNoteItem& to = ShownEnd(*link->ToNote(), *aggregationNote, sheet);
  TLinkGeometry::BuildCurve(*this, *link, from, TLinkGeometry::PositionOn(from, sheet, "TAggSpline"),
                            to, TLinkGeometry::PositionOn(to, sheet, "TAggSpline"));
}
