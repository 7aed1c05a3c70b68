#include "model/TreeNodeItem.h"

#include "base/InvalidPointer.h"
#include "base/TreeNode.h"
#include "model/AttachItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"

TRelationShip* TTreeNodeItem::TreeNodesOf(TPoolItem* item) {
  if (auto* sheet = dynamic_cast<TSheetItem*>(item)) return &sheet->TreeNodes();
  if (auto* note = dynamic_cast<TNoteItem*>(item)) return &note->TreeNodes();
  if (auto* attachment = dynamic_cast<TAttachItem*>(item)) return &attachment->TreeNodes();
  if (auto* position = dynamic_cast<TPosItem*>(item)) return &position->TreeNodes();
  return nullptr;
}

TTreeNodeItem::TTreeNodeItem(TPool* pool, const TTreeNodeData& data)
    : TPoolItem(pool), data_(data), ownerRef_(TreeNodesOf(data.Item)) {
  if (!ownerRef_) {
    throw EInvalidPointer("TTreeNodeItem: the item must be a sheet, note, attachment or position");
  }
  ownerRef_->Register(this);
}

TTreeNodeItem::~TTreeNodeItem() {
  if (data_.Node) data_.Node->ForgetRecord();
}

void TTreeNodeItem::SetCaption(const std::string& caption) const {
  if (data_.Node) data_.Node->SetCaption(caption);
}

void TTreeNodeItem::SetImageIndex(int index) const {
  if (data_.Node) data_.Node->SetImageIndex(index);
}

void TTreeNodeItem::SetSelectedIndex(int index) const {
  if (data_.Node) data_.Node->SetSelectedIndex(index);
}

void TTreeNodeItem::Delete() {
  ownerRef_->Unregister(this);
  ITreeNode* node = data_.Node;
  data_.Node = nullptr;
  if (node) node->Delete();
  TPoolItem::Delete();
}

std::uint32_t* TTreeNodeItem::MemberSlot(const TRelationShip* rel) {
  return rel == ownerRef_ ? &ownerSlot_ : nullptr;
}
