#include "model/NoteItem.h"

#include "model/AttachItem.h"
#include "model/FieldText.h"
#include "model/LinkItem.h"
#include "model/PosItem.h"
#include "model/TreeNodeItem.h"

#include <utility>

TNoteItem::TNoteItem(TPool* pool, TNote record) : TPoolItem(pool), data_(std::move(record)) {}

void TNoteItem::SetTitle(const std::string& title) {
  data_.Title = TFieldText::SingleLine(title);
  positions_.ForEach([this](TPoolItem* position) {
    static_cast<TPosItem*>(position)->TreeNodes().ForEach(
        [this](TPoolItem* node) { static_cast<TTreeNodeItem*>(node)->SetCaption(data_.Title); });
  });
  treeNodes_.ForEach(
      [this](TPoolItem* node) { static_cast<TTreeNodeItem*>(node)->SetCaption(data_.Title); });
  SetModified(true);
}

void TNoteItem::SetImageFile(const std::string& fileName) {
  data_.ImageFile = TFieldText::SingleLine(fileName);
  SetModified(true);
}

void TNoteItem::SetLogoFile(const std::string& fileName) {
  data_.LogoFile = TFieldText::SingleLine(fileName);
  SetModified(true);
}

void TNoteItem::SetWidth(std::int32_t width) {
  data_.Width = width;
  SetModified(true);
}

void TNoteItem::SetHeight(std::int32_t height) {
  data_.Height = height;
  SetModified(true);
}

void TNoteItem::SetColor(std::int32_t color) {
  data_.Color = color;
  SetModified(true);
}

void TNoteItem::SetLogoPos(std::int32_t logoPos) {
  data_.LogoPos = logoPos;
  SetModified(true);
}

void TNoteItem::SetText(const std::string& text) {
  data_.Text = TFieldText::MultiLine(text);
  SetModified(true);
}

bool TNoteItem::IsAssignedTo(const TSheetItem* sheet) const {
  bool assigned = false;
  positions_.ForEach([&](TPoolItem* position) {
    assigned = assigned || static_cast<TPosItem*>(position)->Sheet() == sheet;
  });
  return assigned;
}

bool TNoteItem::IsPlacedOn(const TSheetItem* sheet) const {
  bool placed = false;
  positions_.ForEach([&](TPoolItem* item) {
    const auto* position = static_cast<TPosItem*>(item);
    placed = placed || (position->Sheet() == sheet && position->IsPlaced());
  });
  return placed;
}

TPosItem* TNoteItem::LastPositionOn(const TSheetItem* sheet) const {
  TPosItem* last = nullptr;
  positions_.ForEach([&](TPoolItem* item) {
    auto* position = static_cast<TPosItem*>(item);
    if (position->Sheet() == sheet) last = position;
  });
  return last;
}

TAttachItem* TNoteItem::GetAttachment(std::int32_t index) const {
  return static_cast<TAttachItem*>(attachments_.GetMember(index));
}

TPosItem* TNoteItem::GetPosition(std::int32_t index) const {
  return static_cast<TPosItem*>(positions_.GetMember(index));
}

TLinkItem* TNoteItem::GetLinkOut(std::int32_t index) const {
  return static_cast<TLinkItem*>(linksOut_.GetMember(index));
}

TLinkItem* TNoteItem::GetLinkIn(std::int32_t index) const {
  return static_cast<TLinkItem*>(linksIn_.GetMember(index));
}

TTreeNodeItem* TNoteItem::GetTreeNode(std::int32_t index) const {
  return static_cast<TTreeNodeItem*>(treeNodes_.GetMember(index));
}

void TNoteItem::Delete() {
  attachments_.Free();
  positions_.Free();
  linksOut_.Free();
  linksIn_.Free();
  treeNodes_.Free();
  TPoolItem::Delete();
}
