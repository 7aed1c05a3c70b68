#pragma once

class TBSpline;
class TLinkItem;
class TNoteItem;
class TPosItem;
class TSheetItem;

// The four vertices every link curve is made of: the source note's centre,
// the from-handle, the to-handle and the target note's centre, each handle
// being its note's centre moved by the link's offset. A straight link (any
// LineStyle but 0) uses offsets of one unit.
class TLinkGeometry {
 public:
  // The position of note on sheet that curves use (the last one); throws
  // EInvalidPointer naming owner when there is none.
  static const TPosItem& PositionOn(const TNoteItem& note, const TSheetItem* sheet,
                                    const char* owner);
  // Clears spline and adds the four vertices. Throws EIntOverflow when a
  // coordinate leaves the 32-bit range.
  static void BuildCurve(TBSpline& spline, const TLinkItem& link, const TNoteItem& from,
                         const TPosItem& fromPosition, const TNoteItem& to,
                         const TPosItem& toPosition);
};
