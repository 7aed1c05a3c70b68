#pragma once

class QTreeWidget;
class TContainer;
class TImageList;
class TNavTreeItem;

// Builds the search window's result tree from what the pools yield now
// (while a search has their filtered views on, the result). Its nodes keep
// no records: they do not follow later changes. Neither the project, the
// view nor the image list is owned; file icons are appended to the list.
class TTVEngine {
 public:
  TTVEngine(TContainer* container, QTreeWidget* view, TImageList& images);

  // Fills the view, which the caller has just cleared, and expands it all.
  void Refresh();
  // Gives node exactly count children, appending captionless ones or
  // deleting from the end.
  void ResizeChildren(TNavTreeItem* node, int count);
  // Sets every node's caption and icon from what it stands for; file icons
  // of attachments whose files exist are appended to the image list from
  // index 9 on, after cutting it back to 9.
  void UpdateCaptions();

  TContainer* Container() const { return container_; }
  QTreeWidget* View() const { return view_; }
  bool ShowSheets = true;
  bool ShowNotes = true;
  bool ShowAttachments = true;

  static constexpr int kFixedIcons = 9;

 private:
  void FillSheets(TNavTreeItem* branch);
  void FillNotes(TNavTreeItem* branch);
  void FillAttachments(TNavTreeItem* branch);
  void UpdateNode(TNavTreeItem* node);

  TContainer* container_;
  QTreeWidget* view_;
  TImageList& images_;
};
