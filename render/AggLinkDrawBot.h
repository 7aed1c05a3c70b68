#pragma once

#include "render/LinkDrawBot.h"

#include <memory>

class TAggSpline;
class TNoteItem;

// Draws a link through an aggregation note: the curve runs from the note
// shown on the sheet to the aggregation note that stands for the other
// note's sheet. Never drawn selected. None of the items is owned.
class TAggLinkDrawBot : public TLinkDrawBot {
 public:
  explicit TAggLinkDrawBot(TVCanvas& canvas);
  ~TAggLinkDrawBot() override;

  void Setup(TNoteItem* aggregationNote, TLinkItem* link, TSheetItem* sheet);
  void Draw() override;

  TNoteItem* AggregationNote() const { return aggregationNote_; }
  const TAggSpline* AggSpline() const { return aggSpline_.get(); }

 private:
  TNoteItem* aggregationNote_ = nullptr;
  std::unique_ptr<TAggSpline> aggSpline_;
};
