#include "model/PosItem.h"

#include "model/NoteItem.h"
#include "model/SheetItem.h"
#include "model/TreeNodeItem.h"

#include <utility>

TPosItem::TPosItem(TPool* pool, TPosition record, TRegistration registration)
    : TPoolItem(pool),
      data_(std::move(record)),
      sheetRef_(&Required(data_.Sheet, "TPosItem: Sheet not set")->Positions()),
      noteRef_(&Required(data_.Note, "TPosItem: Note not set")->Positions()) {
  if (registration == TRegistration::ByLoader) return;
  sheetRef_->Register(this);
  noteRef_->Register(this);
}

TNoteItem* TPosItem::Note() const { return data_.Note; }

TSheetItem* TPosItem::Sheet() const { return data_.Sheet; }

void TPosItem::SetX(std::int32_t x) {
  data_.X = x;
  ShowPlacedWhen(x);
  SetModified(true);
}

void TPosItem::SetY(std::int32_t y) {
  data_.Y = y;
  ShowPlacedWhen(y);
  SetModified(true);
}

void TPosItem::ShowPlacedWhen(std::int32_t coordinate) {
  if (coordinate < 0 || Note()->IsAggregation() || treeNodes_.Count() == 0) return;
  TTreeNodeItem* first = GetTreeNode(0);
  first->SetImageIndex(kPlacedImage);
  first->SetSelectedIndex(kPlacedImage);
}

TTreeNodeItem* TPosItem::GetTreeNode(std::int32_t index) const {
  return static_cast<TTreeNodeItem*>(treeNodes_.GetMember(index));
}

void TPosItem::Delete() {
  sheetRef_->Unregister(this);
  noteRef_->Unregister(this);
  treeNodes_.Free();
  TPoolItem::Delete();
}

std::uint32_t* TPosItem::MemberSlot(const TRelationShip* rel) {
  if (rel == sheetRef_) return &sheetSlot_;
  if (rel == noteRef_) return &noteSlot_;
  return nullptr;
}
