#include "render/SelDrawBot.h"

#include "base/Convert.h"
#include "base/InvalidPointer.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "render/LinkGeometry.h"
#include "render/PlatformCanvas.h"
#include "render/VCanvas.h"

#include <algorithm>
#include <limits>

TSelDrawBot::TSelDrawBot(TVCanvas& canvas) : TDrawBot(canvas) {}

void TSelDrawBot::Begin(const std::vector<TNoteItem*>& notes, std::int32_t x, std::int32_t y) {
  notes_ = notes;
  std::int32_t left = std::numeric_limits<std::int32_t>::max();
  std::int32_t top = left;
  std::int32_t right = std::numeric_limits<std::int32_t>::min();
  std::int32_t bottom = right;
  for (const TNoteItem* note : notes_) {
    const TPosItem& position = TLinkGeometry::PositionOn(*note, sheet_, "TSelDrawBot");
    left = std::min(left, position.X());
    top = std::min(top, position.Y());
    right = std::max(right, CheckedAdd(position.X(), note->Width()));
    bottom = std::max(bottom, CheckedAdd(position.Y(), note->Height()));
  }
  if (notes_.empty()) left = top = right = bottom = 0;
  boxLeft_ = left;
  boxTop_ = top;
  boxWidth_ = CheckedSub(right, left);
  boxHeight_ = CheckedSub(bottom, top);
  grabX_ = CheckedSub(x, boxLeft_);
  grabY_ = CheckedSub(y, boxTop_);
  lastX_ = x;
  lastY_ = y;
}

void TSelDrawBot::Draw() {
  if (notes_.empty() || !sheet_) throw EInvalidPointer("TSelDrawBot: Members not initialized...");
  XorBoxAt(boxLeft_, boxTop_);
  XorBoxAt(lastX_, lastY_);
  lastX_ = boxLeft_;
  lastY_ = boxTop_;
}

void TSelDrawBot::DrawAtLast() { XorBoxAt(lastX_, lastY_); }

// Pen width and style stay as the surface has them.
void TSelDrawBot::XorBoxAt(std::int32_t pointerX, std::int32_t pointerY) {
  TVCanvas& canvas = Canvas();
  const std::int32_t left = CheckedSub(pointerX, grabX_);
  const std::int32_t top = CheckedSub(pointerY, grabY_);
  canvas.VPen().SetMode(kPenModeXor);
  canvas.VPen().SetColor(0xFFFFFF);
  canvas.Brush().Style = kBrushStyleClear;
  canvas.Rectangle(left, top, CheckedAdd(left, boxWidth_), CheckedAdd(top, boxHeight_));
  canvas.VPen().SetMode(kPenModeCopy);
}
