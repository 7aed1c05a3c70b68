#pragma once

#include "render/BSpline.h"
#include "render/Rect.h"

#include <cstdint>

class TLinkItem;
class TSheetItem;

// The curve of one link on one sheet, rebuilt from the current positions and
// link fields at every use, with the hit tests of the curve and its handles.
// All coordinates are world units. Link and sheet are not owned.
class TQOZSpline : public TBSpline {
 public:
  static constexpr std::int32_t kToHandle = 0;    // slot 3
  static constexpr std::int32_t kFromHandle = 1;  // slot 2
  static constexpr std::int32_t kNoHandle = 2;

  // Both notes of the link must have a position on the sheet (EInvalidPointer
  // otherwise).
  void BuildForLink(TLinkItem* link, TSheetItem* sheet);
  // Whether a sample of the curve lies strictly within tolerance of (x, y)
  // on both axes.
  bool HitCurve(std::int32_t x, std::int32_t y, std::int32_t tolerance) const;
  // The 8 x 8 square around a handle; any option but 0 and 1 throws EInvalidPointer.
  TRect HandleRect(std::int32_t option) const;
  // kToHandle or kFromHandle when the point lies strictly inside that
  // handle's square (the to-handle wins where they overlap), else kNoHandle.
  std::int32_t HandleAt(std::int32_t x, std::int32_t y) const;

  TLinkItem* Link() const { return link_; }
  TSheetItem* Sheet() const { return sheet_; }

 private:
  TLinkItem* link_ = nullptr;
  TSheetItem* sheet_ = nullptr;
};
