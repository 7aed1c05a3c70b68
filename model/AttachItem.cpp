#include "model/AttachItem.h"

#include "model/FieldText.h"
#include "model/NoteItem.h"
#include "model/TreeNodeItem.h"

#include <utility>

TAttachItem::TAttachItem(TPool* pool, TAttachment record)
    : TPoolItem(pool),
      data_(std::move(record)),
      noteRef_(&Required(data_.Note, "TAttachItem: Note not set")->Attachments()) {
  noteRef_->Register(this);
}

TNoteItem* TAttachItem::Note() const { return data_.Note; }

void TAttachItem::SetTitle(const std::string& title) {
  data_.Title = TFieldText::SingleLine(title);
  treeNodes_.ForEach(
      [this](TPoolItem* node) { static_cast<TTreeNodeItem*>(node)->SetCaption(data_.Title); });
  SetModified(true);
}

void TAttachItem::SetFileName(const std::string& fileName) {
  data_.FileName = TFieldText::SingleLine(fileName);
  SetModified(true);
}

void TAttachItem::SetIsURL(bool isURL) {
  data_.IsURL = isURL;
  SetModified(true);
}

TTreeNodeItem* TAttachItem::GetTreeNode(std::int32_t index) const {
  return static_cast<TTreeNodeItem*>(treeNodes_.GetMember(index));
}

void TAttachItem::Delete() {
  noteRef_->Unregister(this);
  treeNodes_.Free();
  TPoolItem::Delete();
}

std::uint32_t* TAttachItem::MemberSlot(const TRelationShip* rel) {
  return rel == noteRef_ ? &noteSlot_ : nullptr;
}
