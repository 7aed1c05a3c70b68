#include "navigator/NavForm.h"

#include "model/AttachItem.h"
#include "model/AttachPool.h"
#include "model/NoteItem.h"
#include "model/NotePool.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "model/SheetPool.h"
#include "navigator/NavTree.h"
#include "navigator/NavTreeView.h"
#include "navigator/NavigatorHost.h"
#include "platform/Dialogs.h"
#include "platform/DragLauncher.h"
#include "platform/ImageList.h"
#include "platform/QtText.h"
#include "project/Container.h"
#include "sheetwindow/DragAttach.h"
#include "sheetwindow/DragNotes.h"
#include "sheetwindow/DragSheets.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>

namespace {

constexpr int kProjectPage = 0;
constexpr int kSheetPoolPage = 1;
constexpr int kNotePoolPage = 2;
constexpr int kAttachPoolPage = 3;
constexpr int kSheetPage = 4;
constexpr int kNotePage = 5;
constexpr int kAttachPage = 6;
constexpr int kPages = 7;

// Icons of the toolbar, from the shared list.
constexpr int kHidePanelIcon = 5;
constexpr int kShowPanelIcon = 6;
constexpr int kOpenSheetIcon = 8;

bool IsPoolNode(const TNavTreeItem* node) {
  return node->As<TSheetPool>() || node->As<TNotePool>() || node->As<TAttachPool>();
}

bool IsItemNode(const TNavTreeItem* node) {
  return node->As<TSheetItem>() || node->As<TNoteItem>() || node->As<TAttachItem>();
}

TSheetItem* ParentSheet(const TNavTreeItem* node) {
  const TNavTreeItem* parent = node->ParentNode();
  return parent ? parent->As<TSheetItem>() : nullptr;
}

TNoteItem* ParentNote(const TNavTreeItem* node) {
  const TNavTreeItem* parent = node->ParentNode();
  return parent ? parent->As<TNoteItem>() : nullptr;
}

QString FromText(const std::string& text) { return TQtText::FromCp1252(text); }

}  // namespace

TNavForm::TNavForm(TImageList& icons, TNavigatorHost& host, QWidget* parent)
    : QWidget(parent), Tree(std::make_unique<TNavTree>(icons)), icons_(icons), host_(host) {
  setWindowTitle(QStringLiteral("Tree"));
  resize(588, 452);
  move(10, 10);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setHandleWidth(6);
  layout->addWidget(Splitter1, 1);
  BuildToolbar();
  BuildTree();
  BuildPanel();
  BuildPopupMenu();
  NavStatusBar = new QStatusBar(this);
  NavStatusBar->setFixedHeight(19);
  layout->addWidget(NavStatusBar);
}

TNavForm::~TNavForm() { ReleaseProject(); }

void TNavForm::BuildToolbar() {
  Panel1 = new QWidget(Splitter1);
  Panel1->resize(kPanel1Width, Panel1->height());
  auto* column = new QVBoxLayout(Panel1);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  TB_Navigator = new QToolBar(Panel1);
  TB_Navigator->setFixedHeight(27);
  TB_Navigator->setIconSize(QSize(16, 16));
  const auto button = [&](const char* hint, int icon) {
    QAction* action = TB_Navigator->addAction(icons_.Icon(icon), QString::fromUtf8(hint));
    action->setToolTip(QString::fromUtf8(hint));
    return action;
  };
  TB_NewSheet = button("New Sheet", TNavTree::kSheetIcon);
  TB_NewNote = button("New Note", TNavTree::kNoteIcon);
  TB_NewAttach = button("New Attachment", TNavTree::kAttachmentIcon);
  TB_Navigator->addSeparator();
  TB_OpenActiveSheet = button("Open active sheet", kOpenSheetIcon);
  TB_OpenActiveSheet->setEnabled(false);
  TB_Navigator->addSeparator();
  btn_toggleprop = button("Show / Hide Properties", kShowPanelIcon);
  connect(TB_NewSheet, &QAction::triggered, this, [this] { TB_NewSheetClick(); });
  connect(TB_NewNote, &QAction::triggered, this, [this] { TB_NewNoteClick(); });
  connect(TB_NewAttach, &QAction::triggered, this, [this] { TB_NewAttachClick(); });
  connect(TB_OpenActiveSheet, &QAction::triggered, this, [this] { TB_OpenActiveSheetClick(); });
  connect(btn_toggleprop, &QAction::triggered, this, [this] { btn_togglepropClick(); });
  column->addWidget(TB_Navigator);
}

void TNavForm::BuildTree() {
  TV_Container = new TNavTreeView(Panel1);
  TV_Container->setHeaderHidden(true);
  TV_Container->setIndentation(19);
  TV_Container->setIconSize(QSize(16, 16));
  TV_Container->setContextMenuPolicy(Qt::CustomContextMenu);
  TV_Container->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::SelectedClicked);
  static_cast<QVBoxLayout*>(Panel1->layout())->addWidget(TV_Container, 1);
  TV_Container->installEventFilter(this);
  TV_Container->OnStartDrag = [this] { TV_ContainerStartDrag(); };
  TV_Container->OnDragOver = [this](TDragObject* source, QPoint at) {
    return TV_ContainerDragOver(source, NodeAt(at));
  };
  TV_Container->OnDrop = [this](TDragObject* source, QPoint at) {
    TV_ContainerDragDrop(source, NodeAt(at));
  };
  TV_Container->OnEdited = [this](QTreeWidgetItem* node, const QString& text) {
    TV_ContainerEdited(static_cast<TNavTreeItem*>(node), text);
  };
  connect(TV_Container, &QTreeWidget::itemClicked, this, [this] { TV_ContainerClick(); });
  connect(TV_Container, &QTreeWidget::itemDoubleClicked, this, [this] { TV_ContainerDblClick(); });
  connect(TV_Container, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
    if (!TV_ContainerExpanding(static_cast<TNavTreeItem*>(node))) node->setExpanded(false);
  });
  // A right click selects the node under the mouse before the menu opens.
  connect(TV_Container, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
    if (TNavTreeItem* node = NodeAt(at)) TV_Container->setCurrentItem(node);
    NotifyItem(nullptr, false);
    TV_PopUp->popup(TV_Container->viewport()->mapToGlobal(at));
  });
}

void TNavForm::BuildPanel() {
  Panel2 = new QWidget(Splitter1);
  auto* column = new QVBoxLayout(Panel2);
  column->setContentsMargins(0, 0, 0, 0);
  PC_Property = new QStackedWidget(Panel2);
  // The property windows take these pages as they come.
  for (int page = 0; page < kPages; ++page) PC_Property->addWidget(new QWidget(PC_Property));
  column->addWidget(PC_Property);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({kPanel1Width, width() - kPanel1Width});
}

void TNavForm::BuildPopupMenu() {
  TV_PopUp = new QMenu(this);
  MI_Open = TV_PopUp->addAction(QStringLiteral("&Open..."));
  MI_Open->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
  MI_Delete = TV_PopUp->addAction(QStringLiteral("&Delete"));
  MI_Delete->setShortcut(QKeySequence(Qt::Key_Delete));
  N1 = TV_PopUp->addSeparator();
  MI_Collapse = TV_PopUp->addAction(QStringLiteral("&Collapse All"));
  connect(MI_Open, &QAction::triggered, this, [this] { MI_OpenClick(); });
  connect(MI_Delete, &QAction::triggered, this, [this] { MI_DeleteClick(); });
  connect(MI_Collapse, &QAction::triggered, this, [this] { MI_CollapseClick(); });
}

TNavTreeItem* TNavForm::Selected() const {
  return static_cast<TNavTreeItem*>(TV_Container->currentItem());
}

TNavTreeItem* TNavForm::NodeAt(QPoint at) const {
  return static_cast<TNavTreeItem*>(TV_Container->itemAt(at));
}

// ---------------------------------------------------------------------------
// The project and the notifications

void TNavForm::LoadProject(TContainer* container) {
  Container = container;
  TV_Container->setUpdatesEnabled(false);
  Tree->Load(container, TV_Container);
  TV_Container->setUpdatesEnabled(true);
  ShownItem = std::monostate{};
  NotifyItem(nullptr, false);
}

void TNavForm::ReleaseProject() {
  Tree->Release();
  Container = nullptr;
  ShownItem = std::monostate{};
}

void TNavForm::NotifyItem(TPoolItem* item, bool refreshSheets) {
  if (item && Container) {
    if (auto* sheet = dynamic_cast<TSheetItem*>(item)) {
      Tree->AddSheetNode(sheet);
    } else if (auto* position = dynamic_cast<TPosItem*>(item)) {
      Tree->AddPositionNode(position);
    } else if (auto* note = dynamic_cast<TNoteItem*>(item)) {
      Tree->AddNoteNode(note);
    } else if (auto* attachment = dynamic_cast<TAttachItem*>(item)) {
      Tree->AddAttachmentNode(attachment);
    }
  }
  if (TNavTreeItem* node = Selected()) {
    ShowProperties(node);
    UpdateToolbar(node);
    UpdatePopupMenu(node);
  }
  if (refreshSheets) host_.RefreshSheetWindows();
}

// The page of the node's item; the property windows fill the pages as they
// come.
void TNavForm::ShowProperties(TNavTreeItem* node) {
  if (IsPoolNode(node) && node->Data() == ShownItem) return;
  int page = kProjectPage;
  if (node->As<TSheetPool>()) page = kSheetPoolPage;
  if (node->As<TNotePool>()) page = kNotePoolPage;
  if (node->As<TAttachPool>()) page = kAttachPoolPage;
  if (node->As<TSheetItem>()) page = kSheetPage;
  if (const TNoteItem* note = node->As<TNoteItem>()) {
    page = note->IsAggregation() ? kSheetPage : kNotePage;
  }
  if (node->As<TAttachItem>()) page = kAttachPage;
  PC_Property->setCurrentIndex(page);
  ShownItem = node->Data();
}

void TNavForm::UpdateToolbar(TNavTreeItem* node) {
  const bool onNote = node->As<TNoteItem>() || (node->As<TAttachItem>() && ParentNote(node));
  TB_NewSheet->setEnabled(true);
  TB_NewNote->setEnabled(true);
  TB_NewAttach->setEnabled(onNote);
  TB_OpenActiveSheet->setEnabled(node->As<TSheetItem>() != nullptr);
}

void TNavForm::UpdatePopupMenu(TNavTreeItem* node) {
  MI_Open->setVisible(node->As<TSheetItem>() != nullptr);
  const bool item = IsItemNode(node);
  MI_Delete->setVisible(item);
  N1->setVisible(item);
  MI_Collapse->setVisible(true);
}

// Each property window stores what its controls hold; they come later.
void TNavForm::ApplyProperties() {}

// ---------------------------------------------------------------------------
// Selecting and opening

void TNavForm::TV_ContainerClick() {
  host_.SuspendRepainting(true);
  MI_OpenClick();
  host_.SuspendRepainting(false);
  NotifyItem(nullptr, false);
}

void TNavForm::TV_ContainerDblClick() {
  if (!PropertiesShown) btn_togglepropClick();
}

void TNavForm::TV_ContainerKeyUp(int key) {
  if (key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down) {
    NotifyItem(nullptr, false);
  }
}

void TNavForm::MI_OpenClick() {
  TNavTreeItem* node = Selected();
  TSheetItem* sheet = node ? node->As<TSheetItem>() : nullptr;
  if (!sheet || host_.IsSheetOpen(sheet)) return;
  try {
    host_.OpenArrangedSheetWindow(sheet);
  } catch (const std::exception&) {
    Dialogs().Message(this,
                      QStringLiteral("Your system is too low on memory to open another sheet.\n"
                                     "Close one or more sheets."),
                      TMessageIcon::Error, TMessageButtons::Ok);
  }
}

bool TNavForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TV_Container) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && !TV_Container->Editing()) {
      TV_ContainerKeyDown(Qt::Key_Delete);
      return true;
    }
    if (event->type() == QEvent::KeyRelease) {
      TV_ContainerKeyUp(static_cast<QKeyEvent*>(event)->key());
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// New items

void TNavForm::SelectAndEdit(TNavTreeItem* node) {
  if (!node) return;
  TV_Container->setCurrentItem(node);
  TV_Container->scrollToItem(node);
  TV_Container->editItem(node);
}

void TNavForm::TB_NewSheetClick() {
  if (!Container) return;
  Container->AddSheet(DefaultSheet);
  SelectAndEdit(Tree->LastAddedNode());
  NotifyItem(nullptr, false);
}

void TNavForm::TB_NewNoteClick() {
  if (!Container) return;
  TNavTreeItem* node = Selected();
  TSheetItem* sheet = nullptr;
  if (node) sheet = node->As<TSheetItem>() ? node->As<TSheetItem>() : ParentSheet(node);
  TNoteItem* note = Container->AddNote(DefaultNote);
  if (sheet) {
    TPosition position = DefaultPosition;
    position.Note = note;
    position.Sheet = sheet;
    Container->AddPosition(position);
  }
  SelectAndEdit(Tree->LastAddedNode());
  NotifyItem(nullptr, false);
}

void TNavForm::TB_NewAttachClick() {
  TNavTreeItem* node = Selected();
  if (Container && node) {
    TNoteItem* note = node->As<TNoteItem>() ? node->As<TNoteItem>() : ParentNote(node);
    if (note) {
      TAttachment attachment = DefaultAttachment;
      attachment.Note = note;
      Container->AddAttachment(attachment);
      SelectAndEdit(Tree->LastAddedNode());
    }
  }
  NotifyItem(nullptr, false);
}

// ---------------------------------------------------------------------------
// Renaming and deleting

bool TNavForm::TV_ContainerEditing(TNavTreeItem* node) const { return node && IsItemNode(node); }

void TNavForm::TV_ContainerEdited(TNavTreeItem* node, const QString& text) {
  if (!node) return;
  const std::string title = TQtText::ToCp1252(text);
  if (TSheetItem* sheet = node->As<TSheetItem>()) sheet->SetTitle(title);
  if (TNoteItem* note = node->As<TNoteItem>()) note->SetTitle(title);
  if (TAttachItem* attachment = node->As<TAttachItem>()) attachment->SetTitle(title);
  NotifyItem(nullptr, true);
}

void TNavForm::TV_ContainerKeyDown(int key) {
  if (key != Qt::Key_Delete) return;
  if (Dialogs().Message(this, QStringLiteral("Are you sure about deleting the selected items ?"),
                        TMessageIcon::Confirmation,
                        TMessageButtons::YesNo) != TMessageAnswer::Yes) {
    return;
  }
  if (!TV_Container->Editing()) DeleteSelected();
  NotifyItem(nullptr, true);
}

// The nodes of what goes are removed through their records.
void TNavForm::DeleteSelected() {
  TNavTreeItem* node = Selected();
  if (!node || !Container) return;
  if (TSheetItem* sheet = node->As<TSheetItem>()) {
    sheet->Delete();
    Container->SyncAggregationNotes();
  } else if (TNoteItem* note = node->As<TNoteItem>()) {
    if (TSheetItem* onSheet = ParentSheet(node)) {
      if (TPosItem* position = Container->PositionOf(note, onSheet)) position->Delete();
    } else {
      note->Delete();
    }
  } else if (TAttachItem* attachment = node->As<TAttachItem>()) {
    attachment->Delete();
  }
}

void TNavForm::MI_CollapseClick() {
  TV_Container->collapseAll();
  NotifyItem(nullptr, true);
}

// ---------------------------------------------------------------------------
// Expanding

bool TNavForm::TV_ContainerExpanding(TNavTreeItem* node) {
  if (!node || !Container) return false;
  bool something = true;
  if (node->As<TSheetPool>()) something = Container->SheetCount() > 0;
  if (node->As<TNotePool>()) something = Container->NoteCount() > 0;
  if (node->As<TAttachPool>()) something = Container->AttachmentCount() > 0;
  if (const TSheetItem* sheet = node->As<TSheetItem>()) something = sheet->PositionCount() > 0;
  if (const TNoteItem* note = node->As<TNoteItem>()) {
    something = !note->IsAggregation() && note->AttachmentCount() > 0;
  }
  if (!something) {
    node->SetHasChildrenMark(false);
    return false;
  }
  if (IsPoolNode(node) || node->As<TSheetItem>() || node->As<TNoteItem>()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Tree->ExpandNode(node);
    QApplication::restoreOverrideCursor();
  }
  return true;
}

// ---------------------------------------------------------------------------
// Dragging and dropping

std::unique_ptr<TDragObject> TNavForm::DragOfNode(TNavTreeItem* node) {
  if (!node) return nullptr;
  std::unique_ptr<TMultiDragObject> drag;
  TPoolItem* item = nullptr;
  if (TNoteItem* note = node->As<TNoteItem>()) {
    drag = std::make_unique<TDragNotes>(this);
    item = note;
  } else if (TAttachItem* attachment = node->As<TAttachItem>()) {
    drag = std::make_unique<TDragAttach>(this);
    item = attachment;
  } else if (TSheetItem* sheet = node->As<TSheetItem>()) {
    drag = std::make_unique<TDragSheets>(this);
    item = sheet;
  } else {
    return nullptr;
  }
  drag->AddItem(item);
  return drag;
}

void TNavForm::TV_ContainerStartDrag() {
  std::unique_ptr<TDragObject> drag = DragOfNode(Selected());
  if (drag) DragLauncher().Run(TV_Container, std::move(drag));
}

bool TNavForm::TV_ContainerDragOver(TDragObject* source, TNavTreeItem* target) const {
  if (!source || !target) return false;
  if (target->As<TSheetItem>()) {
    return dynamic_cast<TDragNotes*>(source) || dynamic_cast<TDragSheets*>(source);
  }
  return target->As<TNoteItem>() && dynamic_cast<TDragAttach*>(source);
}

void TNavForm::TV_ContainerDragDrop(TDragObject* source, TNavTreeItem* target) {
  if (!Container || !TV_ContainerDragOver(source, target)) return;
  const auto refuse = [this](const std::string& text) {
    Dialogs().Message(this, FromText(text), TMessageIcon::Error, TMessageButtons::Ok);
  };
  const auto& drag = *dynamic_cast<TMultiDragObject*>(source);
  for (TPoolItem* item : std::vector<TPoolItem*>(drag.DragItems)) {
    if (TSheetItem* sheet = target->As<TSheetItem>()) {
      if (auto* note = dynamic_cast<TNoteItem*>(item)) {
        if (!Container->AssignNoteToSheet(note, sheet)) {
          refuse(note->Title() + " is already positioned on " + sheet->Title() + " ...");
        }
      } else if (auto* dragged = dynamic_cast<TSheetItem*>(item)) {
        if (Container->AggregationNoteOn(dragged, sheet)) {
          refuse(dragged->Title() + " is already positioned on " + sheet->Title() +
                 " as an aggregation note...");
          continue;
        }
        TNote record = DefaultNote;
        record.Kind = 0;
        record.Sheet = dragged;
        record.Title = dragged->Title();
        record.Color = dragged->Color();
        Container->AssignNoteToSheet(Container->AddNote(record), sheet);
      }
    } else if (TNoteItem* note = target->As<TNoteItem>()) {
      if (auto* attachment = dynamic_cast<TAttachItem*>(item)) {
        Container->CopyAttachmentToNote(attachment, note);
      }
    }
  }
  NotifyItem(nullptr, true);
}

// ---------------------------------------------------------------------------
// The property panel

// The tree keeps its width; the panel's side takes the change.
void TNavForm::btn_togglepropClick() {
  const int splitter = Splitter1->handleWidth();
  // In the main window the navigator sits in a child window: that one changes size.
  QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
  if (PropertiesShown) {
    SavedPanelWidth = PC_Property->width() + splitter;
    const int tree = Panel1->width();
    Panel2->hide();
    frame->resize(frame->width() - SavedPanelWidth, frame->height());
    Splitter1->setSizes({tree, 0});
    PropertiesShown = false;
    btn_toggleprop->setIcon(icons_.Icon(kHidePanelIcon));
  } else {
    if (SavedPanelWidth - splitter < kMinPanelWidth) SavedPanelWidth = splitter + kMinPanelWidth;
    const int tree = Panel1->width();
    Panel2->show();
    frame->resize(frame->width() + SavedPanelWidth, frame->height());
    Splitter1->setSizes({tree, SavedPanelWidth - splitter});
    PropertiesShown = true;
    btn_toggleprop->setIcon(icons_.Icon(kShowPanelIcon));
  }
}
