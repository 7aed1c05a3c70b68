#include "model/LinkItem.h"

#include "model/NoteItem.h"
#include "model/RelationItem.h"
#include "model/SheetItem.h"

#include <utility>

TLinkItem::TLinkItem(TPool* pool, TLink record, TRegistration registration)
    : TPoolItem(pool),
      data_(std::move(record)),
      sheetRef_(&Required(data_.Sheet, "TLinkItem: Sheet not set")->Links()),
      toRef_(&Required(data_.ToNote, "TLinkItem: ToNote not set")->LinksIn()),
      fromRef_(&Required(data_.FromNote, "TLinkItem: FromNote not set")->LinksOut()),
      relationRef_(&Required(data_.Relation, "TLinkItem: Relation not set")->Links()) {
  if (registration == TRegistration::ByLoader) return;
  sheetRef_->Register(this);
  toRef_->Register(this);
  fromRef_->Register(this);
  relationRef_->Register(this);
}

TSheetItem* TLinkItem::Sheet() const { return data_.Sheet; }

TNoteItem* TLinkItem::FromNote() const { return data_.FromNote; }

TNoteItem* TLinkItem::ToNote() const { return data_.ToNote; }

TRelationItem* TLinkItem::Relation() const { return data_.Relation; }

void TLinkItem::SetCtrl1X(std::int32_t value) {
  data_.Ctrl1X = value;
  SetModified(true);
}

void TLinkItem::SetCtrl1Y(std::int32_t value) {
  data_.Ctrl1Y = value;
  SetModified(true);
}

void TLinkItem::SetCtrl2X(std::int32_t value) {
  data_.Ctrl2X = value;
  SetModified(true);
}

void TLinkItem::SetCtrl2Y(std::int32_t value) {
  data_.Ctrl2Y = value;
  SetModified(true);
}

void TLinkItem::SetArrowStyle(std::uint8_t value) {
  data_.ArrowStyle = value;
  SetModified(true);
}

void TLinkItem::SetWidth(std::int32_t value) {
  data_.Width = value;
  SetModified(true);
}

void TLinkItem::SetColor(std::int32_t value) {
  data_.Color = value;
  SetModified(true);
}

void TLinkItem::SetLineStyle(std::int32_t value) {
  data_.LineStyle = value;
  SetModified(true);
}

void TLinkItem::Delete() {
  sheetRef_->Unregister(this);
  toRef_->Unregister(this);
  fromRef_->Unregister(this);
  relationRef_->Unregister(this);
  TPoolItem::Delete();
}

std::uint32_t* TLinkItem::MemberSlot(const TRelationShip* rel) {
  if (rel == sheetRef_) return &sheetSlot_;
  if (rel == toRef_) return &toSlot_;
  if (rel == fromRef_) return &fromSlot_;
  if (rel == relationRef_) return &relationSlot_;
  return nullptr;
}
