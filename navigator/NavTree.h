#pragma once

#include "navigator/NavTreeItem.h"

class QTreeWidget;
class TAttachItem;
class TContainer;
class TImageList;
class TNoteItem;
class TPoolItem;
class TPosItem;
class TSheetItem;
class TTreeNodePool;

// The model behind the navigator's tree: the project as a root with its
// "Attachments", "Notes" and "Sheets" branches. Every node of a sheet, note,
// position or attachment is tied to its item by a tree-node record, so that
// renames and deletions reach the tree without a rebuild. Neither the view
// nor the project is owned; Clear must run before the project goes.
class TNavTree {
 public:
  explicit TNavTree(const TImageList& images);
  ~TNavTree();
  TNavTree(const TNavTree&) = delete;
  TNavTree& operator=(const TNavTree&) = delete;

  void Load(TContainer* container, QTreeWidget* view);
  // Builds the whole tree anew; the records of the previous build go with
  // its nodes.
  void Rebuild();
  // Deletes every node and with them every record.
  void Clear();
  // Clears the tree and forgets the project, which may then go.
  void Release();
  // Adds the children of a node that has none yet.
  void ExpandNode(TNavTreeItem* node);

  // The nodes of an item just made; each returns LastAddedNode.
  TNavTreeItem* AddSheetNode(TSheetItem* sheet);
  TNavTreeItem* AddNoteNode(TNoteItem* note);
  TNavTreeItem* AddPositionNode(TPosItem* position);
  TNavTreeItem* AddAttachmentNode(TAttachItem* attachment);
  TNavTreeItem* LastAddedNode() const { return lastAdded_; }

  TContainer* Container() const { return container_; }
  QTreeWidget* View() const { return view_; }
  TNavTreeItem* ProjectNode = nullptr;
  TNavTreeItem* SheetsNode = nullptr;
  TNavTreeItem* NotesNode = nullptr;
  TNavTreeItem* AttachmentsNode = nullptr;
  bool ShowSheets = true;
  bool ShowNotes = true;
  bool ShowAttachments = true;

  // The icons of the shared image list.
  static constexpr int kProjectIcon = 0;
  static constexpr int kSheetIcon = 1;
  static constexpr int kNoteIcon = 2;
  static constexpr int kAttachmentIcon = 3;
  static constexpr int kPlacedIcon = 4;

 private:
  TNavTreeItem* NewNode(TNavTreeItem* parent, TNavTreeItem::TData data, const std::string& caption,
                        int icon);
  void Record(TNavTreeItem* node, TTreeNodePool& pool, TPoolItem* item);
  TNavTreeItem* AddSheet(TSheetItem* sheet);
  TNavTreeItem* AddNote(TNoteItem* note);
  TNavTreeItem* AddPosition(TNavTreeItem* sheetNode, TPosItem* position, int icon);
  TNavTreeItem* AddAttachment(TNavTreeItem* parent, TAttachItem* attachment);
  void FillSheet(TNavTreeItem* sheetNode);
  void FillNote(TNavTreeItem* noteNode);
  // The node of the item's first record, if it still has one.
  static TNavTreeItem* FirstNodeOf(TPoolItem* item);

  const TImageList& images_;
  TContainer* container_ = nullptr;
  QTreeWidget* view_ = nullptr;
  TNavTreeItem* lastAdded_ = nullptr;
};
