#include "navigator/NavTreeItem.h"

#include "model/TreeNodeItem.h"
#include "platform/ImageList.h"
#include "platform/QtText.h"

TNavTreeItem::TNavTreeItem(const TImageList& images, TData data)
    : images_(images), data_(data) {}

TNavTreeItem::~TNavTreeItem() {
  dying_ = true;
  if (TTreeNodeItem* record = record_) {
    record_ = nullptr;
    record->Delete();
  }
}

void TNavTreeItem::SetHasChildrenMark(bool on) {
  setChildIndicatorPolicy(on ? QTreeWidgetItem::ShowIndicator
                             : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

bool TNavTreeItem::HasChildrenMark() const {
  return childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator || childCount() > 0;
}

void TNavTreeItem::SetCaption(const std::string& caption) {
  setText(0, TQtText::FromCp1252(caption));
}

void TNavTreeItem::SetImageIndex(int index) {
  imageIndex_ = index;
  setIcon(0, images_.Icon(index));
}

void TNavTreeItem::SetSelectedIndex(int index) { selectedIndex_ = index; }

// The record is going (it called this): the node goes with it, and its
// children with it.
void TNavTreeItem::Delete() {
  record_ = nullptr;
  if (!dying_) delete this;
}
