#pragma once

#include "render/BSpline.h"

class TLinkItem;
class TNoteItem;
class TSheetItem;

// The curve of a link drawn through an aggregation note: an end whose note
// is not placed on the sheet is replaced by the aggregation note that stands
// for that note's sheet. None of the three items is owned.
class TAggSpline : public TBSpline {
 public:
  void BuildForAggregation(TNoteItem* aggregationNote, TLinkItem* link, TSheetItem* sheet);

  TLinkItem* Link() const { return link_; }
  TSheetItem* Sheet() const { return sheet_; }
  TNoteItem* AggregationNote() const { return aggregationNote_; }

 private:
  TLinkItem* link_ = nullptr;
  TSheetItem* sheet_ = nullptr;
  TNoteItem* aggregationNote_ = nullptr;
};
