#pragma once

#include "base/TreeNode.h"

#include <QTreeWidgetItem>

#include <variant>

class TAttachItem;
class TAttachPool;
class TContainer;
class TImageList;
class TNoteItem;
class TNotePool;
class TSheetItem;
class TSheetPool;
class TTreeNodeItem;

// A node of a project tree: its caption, its icon from the shared image
// list, whether it shows an expander, and what it stands for (the project,
// a pool, a sheet, a note or an attachment; none of them owned). A node of
// the navigator is tied to its item by a tree-node record: renames and icon
// changes reach it through the record, deleting the item deletes it, and
// deleting the node (with its parent, or when the tree is cleared) deletes
// the record, so that neither outlives the other.
class TNavTreeItem : public QTreeWidgetItem, public ITreeNode {
 public:
  using TData = std::variant<std::monostate, TContainer*, TSheetPool*, TNotePool*, TAttachPool*,
                             TSheetItem*, TNoteItem*, TAttachItem*>;

  TNavTreeItem(const TImageList& images, TData data);
  ~TNavTreeItem() override;
  TNavTreeItem(const TNavTreeItem&) = delete;
  TNavTreeItem& operator=(const TNavTreeItem&) = delete;

  const TData& Data() const { return data_; }
  void SetData(TData data) { data_ = data; }
  // What the node stands for, or nullptr when it stands for something else.
  template <class T>
  T* As() const {
    const auto* held = std::get_if<T*>(&data_);
    return held ? *held : nullptr;
  }
  TNavTreeItem* ParentNode() const { return static_cast<TNavTreeItem*>(parent()); }
  TNavTreeItem* ChildNode(int i) const { return static_cast<TNavTreeItem*>(child(i)); }

  int ImageIndex() const { return imageIndex_; }
  int SelectedIndex() const { return selectedIndex_; }
  // Shows the expander although the node has no children yet (they are
  // added when it opens), or only when it has some.
  void SetHasChildrenMark(bool on);
  bool HasChildrenMark() const;

  void SetCaption(const std::string& caption) override;
  void SetImageIndex(int index) override;
  void SetSelectedIndex(int index) override;
  void Delete() override;
  void ForgetRecord() override { record_ = nullptr; }

  TTreeNodeItem* Record() const { return record_; }
  void SetRecord(TTreeNodeItem* record) { record_ = record; }

 private:
  const TImageList& images_;
  TData data_;
  int imageIndex_ = -1;
  int selectedIndex_ = -1;
  TTreeNodeItem* record_ = nullptr;
  bool dying_ = false;
};
