#pragma once

#include "navigator/NavTreeItem.h"
#include "sheetwindow/PlacingDragSource.h"

#include <QWidget>

#include <memory>

class QAction;
class QMenu;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QToolBar;
class QTreeWidgetItem;
class TContainer;
class TDragObject;
class TImageList;
class TNavTree;
class TNavTreeView;
class TNavigatorHost;
class TPoolItem;

// The project's table of contents ("Tree"): the project tree under a small
// toolbar, and at its right the property panel of the selected item. From
// the tree the user opens sheets, makes sheets, notes and attachments,
// renames and deletes them, and assigns notes to sheets, attachments to
// notes and sheets to sheets by dragging. Neither the project, the host nor
// the icons are owned; ReleaseProject must run before the project goes.
class TNavForm : public QWidget, public TPlacingDragSource {
 public:
  TNavForm(TImageList& icons, TNavigatorHost& host, QWidget* parent = nullptr);
  ~TNavForm() override;

  void LoadProject(TContainer* container);
  // Drops the tree (and its records) of the project about to be freed.
  void ReleaseProject();
  // A sheet, note, position or attachment just made gets its node; then the
  // panel, toolbar and menu follow the selected node.
  void NotifyItem(TPoolItem* item, bool refreshSheets);
  bool PropertiesVisible() const { return PropertiesShown; }
  void ApplyProperties();

  void ShowProperties(TNavTreeItem* node);
  void UpdateToolbar(TNavTreeItem* node);
  void UpdatePopupMenu(TNavTreeItem* node);

  void TV_ContainerClick();
  void TV_ContainerDblClick();
  void TV_ContainerKeyDown(int key);
  void TV_ContainerKeyUp(int key);
  bool TV_ContainerEditing(TNavTreeItem* node) const;
  void TV_ContainerEdited(TNavTreeItem* node, const QString& text);
  // Whether the node may open; fills it first when it may.
  bool TV_ContainerExpanding(TNavTreeItem* node);
  void TV_ContainerStartDrag();
  std::unique_ptr<TDragObject> DragOfNode(TNavTreeItem* node);
  bool TV_ContainerDragOver(TDragObject* source, TNavTreeItem* target) const;
  void TV_ContainerDragDrop(TDragObject* source, TNavTreeItem* target);
  void TB_NewSheetClick();
  void TB_NewNoteClick();
  void TB_NewAttachClick();
  void TB_OpenActiveSheetClick() { MI_OpenClick(); }
  void btn_togglepropClick();
  void MI_OpenClick();
  void MI_DeleteClick() { TV_ContainerKeyDown(Qt::Key_Delete); }
  void MI_CollapseClick();

  TNavTreeItem* Selected() const;

  TContainer* Container = nullptr;
  std::unique_ptr<TNavTree> Tree;
  bool PropertiesShown = true;
  int SavedPanelWidth = 0;
  TNavTreeItem::TData ShownItem;  // what the property page shows

  QWidget* Panel1 = nullptr;
  QToolBar* TB_Navigator = nullptr;
  QAction* TB_NewSheet = nullptr;
  QAction* TB_NewNote = nullptr;
  QAction* TB_NewAttach = nullptr;
  QAction* TB_OpenActiveSheet = nullptr;
  QAction* btn_toggleprop = nullptr;
  TNavTreeView* TV_Container = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* Panel2 = nullptr;
  QStackedWidget* PC_Property = nullptr;
  QStatusBar* NavStatusBar = nullptr;
  QMenu* TV_PopUp = nullptr;
  QAction* MI_Open = nullptr;
  QAction* MI_Delete = nullptr;
  QAction* N1 = nullptr;
  QAction* MI_Collapse = nullptr;

  static constexpr int kPanel1Width = 241;
  static constexpr int kMinPanelWidth = 349;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildToolbar();
  void BuildTree();
  void BuildPanel();
  void BuildPopupMenu();
  void SelectAndEdit(TNavTreeItem* node);
  void DeleteSelected();
  TNavTreeItem* NodeAt(QPoint at) const;

  TImageList& icons_;
  TNavigatorHost& host_;
};
