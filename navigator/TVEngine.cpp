#include "navigator/TVEngine.h"

#include "model/AttachItem.h"
#include "model/AttachPool.h"
#include "model/NoteItem.h"
#include "model/NotePool.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "model/SheetPool.h"
#include "navigator/NavTree.h"
#include "navigator/NavTreeItem.h"
#include "platform/DesktopShell.h"
#include "platform/ImageList.h"
#include "platform/QtText.h"
#include "project/Container.h"

#include <QFileInfo>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <filesystem>

namespace {

std::string FileNamePart(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace

TTVEngine::TTVEngine(TContainer* container, QTreeWidget* view, TImageList& images)
    : container_(container), view_(view), images_(images) {}

void TTVEngine::Refresh() {
  if (!container_ || !view_) return;
  auto* root = new TNavTreeItem(images_, container_);
  view_->addTopLevelItem(root);
  const auto branch = [&](TNavTreeItem::TData data, const char* caption, int icon) {
    auto* node = new TNavTreeItem(images_, data);
    node->SetCaption(caption);
    node->SetImageIndex(icon);
    node->SetSelectedIndex(icon);
    root->addChild(node);
    return node;
  };
  if (ShowSheets) FillSheets(branch(&container_->SheetPool(), "Sheets", TNavTree::kSheetIcon));
  if (ShowNotes) FillNotes(branch(&container_->NotePool(), "Notes", TNavTree::kNoteIcon));
  if (ShowAttachments) {
    FillAttachments(branch(&container_->AttachPool(), "Attachments", TNavTree::kAttachmentIcon));
  }
  view_->setCurrentItem(root);
  view_->expandAll();
  UpdateCaptions();
}

void TTVEngine::ResizeChildren(TNavTreeItem* node, int count) {
  while (node->childCount() < count) node->addChild(new TNavTreeItem(images_, std::monostate{}));
  while (node->childCount() > count) delete node->child(node->childCount() - 1);
}

// Every note standing on a listed sheet is listed, matched or not.
void TTVEngine::FillSheets(TNavTreeItem* branch) {
  ResizeChildren(branch, container_->SheetCount());
  for (int i = 0; i < branch->childCount(); ++i) {
    TSheetItem* sheet = container_->GetSheet(i);
    TNavTreeItem* sheetNode = branch->ChildNode(i);
    sheetNode->SetData(sheet);
    ResizeChildren(sheetNode, sheet->PositionCount());
    for (int j = 0; j < sheetNode->childCount(); ++j) {
      sheetNode->ChildNode(j)->SetData(sheet->GetPosition(j)->Note());
    }
  }
}

void TTVEngine::FillNotes(TNavTreeItem* branch) {
  ResizeChildren(branch, container_->NoteCount());
  for (int i = 0; i < branch->childCount(); ++i) {
    TNoteItem* note = container_->GetNote(i);
    TNavTreeItem* noteNode = branch->ChildNode(i);
    noteNode->SetData(note);
    ResizeChildren(noteNode, note->AttachmentCount());
    for (int j = 0; j < noteNode->childCount(); ++j) {
      noteNode->ChildNode(j)->SetData(note->GetAttachment(j));
    }
  }
}

// An attachment's one child is its note, matched or not.
void TTVEngine::FillAttachments(TNavTreeItem* branch) {
  ResizeChildren(branch, container_->AttachmentCount());
  for (int i = 0; i < branch->childCount(); ++i) {
    TAttachItem* attachment = container_->GetAttachment(i);
    TNavTreeItem* node = branch->ChildNode(i);
    node->SetData(attachment);
    ResizeChildren(node, 1);
    node->ChildNode(0)->SetData(attachment->Note());
  }
}

void TTVEngine::UpdateCaptions() {
  if (images_.Count() > kFixedIcons) images_.CutBackTo(kFixedIcons);
  for (QTreeWidgetItemIterator it(view_); *it; ++it) UpdateNode(static_cast<TNavTreeItem*>(*it));
}

void TTVEngine::UpdateNode(TNavTreeItem* node) {
  if (node->As<TContainer>()) {
    node->SetCaption(FileNamePart(container_->FileName()));
    node->SetImageIndex(TNavTree::kProjectIcon);
  } else if (const TSheetItem* sheet = node->As<TSheetItem>()) {
    node->SetCaption(sheet->Title());
    node->SetImageIndex(TNavTree::kSheetIcon);
  } else if (const TNoteItem* note = node->As<TNoteItem>()) {
    node->SetCaption(note->Title());
    const TNavTreeItem* parent = node->ParentNode();
    const TSheetItem* onSheet = parent ? parent->As<TSheetItem>() : nullptr;
    int icon = TNavTree::kNoteIcon;
    if (onSheet && note->IsPlacedOn(onSheet)) icon = TNavTree::kPlacedIcon;
    if (note->IsAggregation()) icon = TNavTree::kSheetIcon;
    node->SetImageIndex(icon);
  } else if (const TAttachItem* attachment = node->As<TAttachItem>()) {
    node->SetCaption(attachment->Title());
    const QString file = TQtText::FromCp1252(attachment->FileName());
    if (!file.isEmpty() && QFileInfo(file).isFile()) {
      const QIcon icon = DesktopShell().FileIcon(file);
      node->SetImageIndex(images_.Add(icon));
      node->SetSelectedIndex(images_.Add(icon));
    } else {
      node->SetImageIndex(TNavTree::kAttachmentIcon);
      node->SetSelectedIndex(TNavTree::kAttachmentIcon);
    }
  }
  if (node->As<TContainer>() || node->As<TSheetItem>() || node->As<TNoteItem>()) {
    node->SetSelectedIndex(node->ImageIndex());
  }
}
