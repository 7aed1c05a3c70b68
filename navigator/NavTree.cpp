#include "navigator/NavTree.h"

#include "model/AttachItem.h"
#include "model/AttachPool.h"
#include "model/NoteItem.h"
#include "model/NotePool.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "model/SheetPool.h"
#include "model/TreeNodeItem.h"
#include "model/TreeNodePool.h"
#include "project/Container.h"

#include <QTreeWidget>

#include <filesystem>

namespace {

std::string FileNamePart(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// Under a sheet: 4 when placed there, an aggregation note 1 instead; 2 when
// only assigned (an aggregation note too).
int PositionIcon(const TPosItem& position) {
  if (!position.IsPlaced()) return TNavTree::kNoteIcon;
  return position.Note()->IsAggregation() ? TNavTree::kSheetIcon : TNavTree::kPlacedIcon;
}

// A node added for a position just made shows the aggregation note's sheet
// icon also while the note is not placed.
int AddedPositionIcon(const TPosItem& position) {
  return position.Note()->IsAggregation() ? TNavTree::kSheetIcon : PositionIcon(position);
}

int NoteIcon(const TNoteItem& note) {
  return note.IsAggregation() ? TNavTree::kSheetIcon : TNavTree::kNoteIcon;
}

}  // namespace

TNavTree::TNavTree(const TImageList& images) : images_(images) {}

TNavTree::~TNavTree() { Clear(); }

void TNavTree::Load(TContainer* container, QTreeWidget* view) {
  if (view_ && view_ != view) Clear();
  container_ = container;
  view_ = view;
  Rebuild();
}

void TNavTree::Clear() {
  ProjectNode = SheetsNode = NotesNode = AttachmentsNode = lastAdded_ = nullptr;
  if (view_) view_->clear();
}

void TNavTree::Release() {
  Clear();
  container_ = nullptr;
}

void TNavTree::Rebuild() {
  if (!view_ || !container_) return;
  const bool updates = view_->updatesEnabled();
  view_->setUpdatesEnabled(false);
  Clear();
  ProjectNode = NewNode(nullptr, container_, FileNamePart(container_->FileName()), kProjectIcon);
  if (ShowAttachments) {
    AttachmentsNode =
        NewNode(ProjectNode, &container_->AttachPool(), "Attachments", kAttachmentIcon);
  }
  if (ShowNotes) NotesNode = NewNode(ProjectNode, &container_->NotePool(), "Notes", kNoteIcon);
  if (ShowSheets) SheetsNode = NewNode(ProjectNode, &container_->SheetPool(), "Sheets", kSheetIcon);
  for (TNavTreeItem* branch : {AttachmentsNode, NotesNode, SheetsNode}) {
    if (branch) branch->SetHasChildrenMark(true);
  }
  if (SheetsNode) {
    for (std::int32_t i = 0; i < container_->SheetCount(); ++i) {
      FillSheet(AddSheet(container_->GetSheet(i)));
    }
  }
  if (NotesNode) {
    for (std::int32_t i = 0; i < container_->NoteCount(); ++i) {
      FillNote(AddNote(container_->GetNote(i)));
    }
  }
  if (AttachmentsNode) {
    for (std::int32_t i = 0; i < container_->AttachmentCount(); ++i) {
      AddAttachment(AttachmentsNode, container_->GetAttachment(i));
    }
  }
  // The branches show at once; each branch opens when the user asks.
  ProjectNode->setExpanded(true);
  view_->setCurrentItem(ProjectNode);
  view_->setUpdatesEnabled(updates);
}

TNavTreeItem* TNavTree::NewNode(TNavTreeItem* parent, TNavTreeItem::TData data,
                                const std::string& caption, int icon) {
  auto* node = new TNavTreeItem(images_, data);
  // Only items are renamed in place: the project and the branches keep
  // their captions.
  if (node->As<TSheetItem>() || node->As<TNoteItem>() || node->As<TAttachItem>()) {
    node->setFlags(node->flags() | Qt::ItemIsEditable);
  }
  node->SetCaption(caption);
  node->SetImageIndex(icon);
  node->SetSelectedIndex(icon);
  if (parent) {
    parent->addChild(node);
  } else {
    view_->addTopLevelItem(node);
  }
  return node;
}

void TNavTree::Record(TNavTreeItem* node, TTreeNodePool& pool, TPoolItem* item) {
  TTreeNodeData data = DefaultTreeNodeData;
  data.Item = item;
  data.Node = node;
  node->SetRecord(pool.AddNode(data));
}

TNavTreeItem* TNavTree::AddSheet(TSheetItem* sheet) {
  TNavTreeItem* node = NewNode(SheetsNode, sheet, sheet->Title(), kSheetIcon);
  Record(node, container_->SheetTreePool(), sheet);
  return node;
}

TNavTreeItem* TNavTree::AddNote(TNoteItem* note) {
  TNavTreeItem* node = NewNode(NotesNode, note, note->Title(), NoteIcon(*note));
  Record(node, container_->NoteTreePool(), note);
  return node;
}

TNavTreeItem* TNavTree::AddPosition(TNavTreeItem* sheetNode, TPosItem* position, int icon) {
  TNoteItem* note = position->Note();
  TNavTreeItem* node = NewNode(sheetNode, note, note->Title(), icon);
  Record(node, container_->PosTreePool(), position);
  return node;
}

TNavTreeItem* TNavTree::AddAttachment(TNavTreeItem* parent, TAttachItem* attachment) {
  TNavTreeItem* node = NewNode(parent, attachment, attachment->Title(), kAttachmentIcon);
  Record(node, container_->AttachTreePool(), attachment);
  return node;
}

void TNavTree::FillSheet(TNavTreeItem* sheetNode) {
  TSheetItem* sheet = sheetNode->As<TSheetItem>();
  sheet->Positions().ForEach([&](TPoolItem* item) {
    auto* position = static_cast<TPosItem*>(item);
    AddPosition(sheetNode, position, PositionIcon(*position));
  });
}

void TNavTree::FillNote(TNavTreeItem* noteNode) {
  TNoteItem* note = noteNode->As<TNoteItem>();
  note->Attachments().ForEach(
      [&](TPoolItem* item) { AddAttachment(noteNode, static_cast<TAttachItem*>(item)); });
}

void TNavTree::ExpandNode(TNavTreeItem* node) {
  if (!node || !container_ || node->childCount() > 0) return;
  if (node->As<TSheetPool>()) {
    for (std::int32_t i = 0; i < container_->SheetCount(); ++i) {
      TSheetItem* sheet = container_->GetSheet(i);
      AddSheet(sheet)->SetHasChildrenMark(sheet->PositionCount() > 0);
    }
  } else if (node->As<TNotePool>()) {
    for (std::int32_t i = 0; i < container_->NoteCount(); ++i) {
      TNoteItem* note = container_->GetNote(i);
      AddNote(note)->SetHasChildrenMark(!note->IsAggregation() && note->AttachmentCount() > 0);
    }
  } else if (node->As<TAttachPool>()) {
    for (std::int32_t i = 0; i < container_->AttachmentCount(); ++i) {
      AddAttachment(node, container_->GetAttachment(i));
    }
  } else if (node->As<TSheetItem>()) {
    FillSheet(node);
  } else if (node->As<TNoteItem>()) {
    FillNote(node);
  }
}

TNavTreeItem* TNavTree::FirstNodeOf(TPoolItem* item) {
  const TRelationShip* records = TTreeNodeItem::TreeNodesOf(item);
  if (!records || records->Count() == 0) return nullptr;
  const auto* record = static_cast<const TTreeNodeItem*>(records->GetMember(0));
  return static_cast<TNavTreeItem*>(record->Node());
}

TNavTreeItem* TNavTree::AddSheetNode(TSheetItem* sheet) {
  if (!SheetsNode) return lastAdded_ = nullptr;
  return lastAdded_ = AddSheet(sheet);
}

TNavTreeItem* TNavTree::AddNoteNode(TNoteItem* note) {
  if (!NotesNode) return lastAdded_ = nullptr;
  return lastAdded_ = AddNote(note);
}

// Under the node of the sheet's first record: the live one, since records
// go with their nodes.
TNavTreeItem* TNavTree::AddPositionNode(TPosItem* position) {
  TNavTreeItem* sheetNode = FirstNodeOf(position->Sheet());
  if (!sheetNode) return lastAdded_ = nullptr;
  return lastAdded_ = AddPosition(sheetNode, position, AddedPositionIcon(*position));
}

TNavTreeItem* TNavTree::AddAttachmentNode(TAttachItem* attachment) {
  if (AttachmentsNode) AddAttachment(AttachmentsNode, attachment);
  TNavTreeItem* noteNode = FirstNodeOf(attachment->Note());
  lastAdded_ = noteNode ? AddAttachment(noteNode, attachment) : nullptr;
  return lastAdded_;
}
