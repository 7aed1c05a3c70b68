#include "render/AggLinkDrawBot.h"

#include "base/InvalidPointer.h"
#include "render/AggSpline.h"

TAggLinkDrawBot::TAggLinkDrawBot(TVCanvas& canvas) : TLinkDrawBot(canvas) {}

TAggLinkDrawBot::~TAggLinkDrawBot() = default;

void TAggLinkDrawBot::Setup(TNoteItem* aggregationNote, TLinkItem* link, TSheetItem* sheet) {
  SetLinkAndSheet(link, sheet);
  aggregationNote_ = aggregationNote;
  if (!aggSpline_) aggSpline_ = std::make_unique<TAggSpline>();
  aggSpline_->BuildForAggregation(aggregationNote, link, sheet);
}

void TAggLinkDrawBot::Draw() {
  if (!Link()) throw EInvalidPointer("TAggLinkDrawBot: Member not initialized...");
  if (!aggSpline_) return;
  DrawParts(*aggSpline_, nullptr);
}
