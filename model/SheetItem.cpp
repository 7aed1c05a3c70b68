#include "model/SheetItem.h"

#include "model/FieldText.h"
#include "model/LinkItem.h"
#include "model/PosItem.h"
#include "model/SheetPool.h"
#include "model/TreeNodeItem.h"

#include <utility>

TSheetItem::TSheetItem(TPool* pool, TSheet record) : TPoolItem(pool), data_(std::move(record)) {}

void TSheetItem::SetTitle(const std::string& title) {
  data_.Title = TFieldText::SingleLine(title);
  treeNodes_.ForEach(
      [this](TPoolItem* node) { static_cast<TTreeNodeItem*>(node)->SetCaption(data_.Title); });
  SetModified(true);
}

void TSheetItem::SetColor(std::int32_t color) {
  data_.Color = color;
  SetModified(true);
}

void TSheetItem::SetWidth(std::int32_t width) {
  data_.Width = width;
  SetModified(true);
}

void TSheetItem::SetHeight(std::int32_t height) {
  data_.Height = height;
  SetModified(true);
}

void TSheetItem::SetZoom(std::int32_t zoom) {
  data_.Zoom = zoom;
  SetModified(true);
}

void TSheetItem::SetGridSize(std::int32_t gridSize) {
  data_.GridSize = gridSize;
  SetModified(true);
}

void TSheetItem::SetDescription(const std::string& description) {
  data_.Description = TFieldText::MultiLine(description);
  SetModified(true);
}

TPosItem* TSheetItem::GetPosition(std::int32_t index) const {
  return static_cast<TPosItem*>(positions_.GetMember(index));
}

TLinkItem* TSheetItem::GetLink(std::int32_t index) const {
  return static_cast<TLinkItem*>(links_.GetMember(index));
}

TTreeNodeItem* TSheetItem::GetTreeNode(std::int32_t index) const {
  return static_cast<TTreeNodeItem*>(treeNodes_.GetMember(index));
}

void TSheetItem::Delete() {
  positions_.Free();
  links_.Free();
  treeNodes_.Free();
  if (auto* pool = dynamic_cast<TSheetPool*>(Pool())) pool->ForgetAggregatedSheet(this);
  TPoolItem::Delete();
}
