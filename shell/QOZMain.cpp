#include "shell/QOZMain.h"

#include "model/DataStructures.h"
#include "model/NoteItem.h"
#include "model/RelationItem.h"
#include "model/SheetItem.h"
#include "navigator/NavForm.h"
#include "platform/DesktopShell.h"
#include "platform/Dialogs.h"
#include "platform/DragLauncher.h"
#include "platform/QtText.h"
#include "platform/SettingsStore.h"
#include "project/Container.h"
#include "project/IniFile.h"
#include "sheetwindow/DragNewNote.h"
#include "sheetwindow/SheetForm.h"
#include "shell/FrmAbout.h"
#include "shell/QOZIcons.h"
#include "shell/SaveLoadFrm.h"
#include "shell/StartForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <exception>
#include <memory>

namespace {

const QString kLastProject = QStringLiteral("LastProject");
const QString kIdLoad = QStringLiteral("IDLoad");
const QString kLocateWorkFiles = QStringLiteral("LocateWorkFiles");
const QString kProjectFilter = QStringLiteral("QOZ Projects (*.qoz)|*.qoz");
const QString kSaveFilter = QStringLiteral("QOZ Projects (*.qoz)|*.qoz|All Files (*.*)|*.*");
const QString kZoomEntries[] = {QStringLiteral("200%"), QStringLiteral("100%"),
                                QStringLiteral("80%"),  QStringLiteral("60%"),
                                QStringLiteral("40%"),  QStringLiteral("20%")};

// Project paths cross into the core as the file system's bytes.
std::string Local(const QString& path) { return path.toLocal8Bit().toStdString(); }
QString FromLocal(const std::string& path) { return QString::fromLocal8Bit(path); }
// Texts the core keeps (titles, picture names) are Windows-1252.
QString FromText(const std::string& text) { return TQtText::FromCp1252(text); }

QString NewProjectPath() {
  return QDir::currentPath() + QLatin1Char('/') + QLatin1String(TQOZMain::kNewFileName);
}

void MakeCurrentDirectoryOf(const QString& path) {
  QDir::setCurrent(QFileInfo(path).absolutePath());
}

bool SamePath(const QString& a, const QString& b) {
  const QFileInfo first(a);
  const QFileInfo second(b);
  if (first.exists() && second.exists())
    return first.canonicalFilePath() == second.canonicalFilePath();
  return QDir::cleanPath(first.absoluteFilePath()) == QDir::cleanPath(second.absoluteFilePath());
}

}  // namespace

TQOZMain::TQOZMain(TSettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), settings_(settings), project_(std::make_unique<TContainer>()) {
  setWindowTitle(QStringLiteral("QOZ"));
  TQOZIcons::FillNavIcons(IL_Nav);
  TQOZIcons::FillMainIcons(IL_QOZMain);
  setWindowIcon(QIcon(TQOZIcons::Logo(QSize(128, 71))));
  MdiArea = new QMdiArea(this);
  MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(MdiArea);
  CreateMenus();
  CreateToolBar();
  ConnectCommands();
  AboutBox = new Tfrm_about(this);
  SaveLoadFrm = new TSaveLoadFrm(this);
  CreateNavigator();
  // "IDLoad" chose a loading variant that cannot rebuild the references
  // between items; every project loads the normal way.
  static_cast<void>(settings_.Value(kIdLoad));
  previousNotifications_ = InstallNotifications(this);
  UpdateTitle();
}

TQOZMain::~TQOZMain() {
  // The windows that show the project let go of it before it is freed.
  CloseSheetWindows();
  Navigator->ReleaseProject();
  InstallNotifications(previousNotifications_);
}

void TQOZMain::CreateNavigator() {
  Navigator = new TNavForm(IL_Nav, *this);
  NavigatorWindow = MdiArea->addSubWindow(Navigator);
  NavigatorWindow->setWindowIcon(IL_Nav.Icon(TQOZIcons::kProject));
  // The tree stays for the whole run: closing its window only hides it.
  NavigatorWindow->setAttribute(Qt::WA_DeleteOnClose, false);
  NavigatorWindow->move(10, 10);
  NavigatorWindow->showMaximized();
}

QAction* TQOZMain::Command(QMenu* menu, QAction*& item, const char* caption, int icon,
                           const QKeySequence& shortcut) {
  item = menu->addAction(QString::fromUtf8(caption));
  if (icon >= 0) item->setIcon(IL_QOZMain.Icon(icon));
  if (!shortcut.isEmpty()) item->setShortcut(shortcut);
  return item;
}

QAction* TQOZMain::Button(QAction*& button, const char* hint, int icon) {
  button = ToolBar->addAction(IL_QOZMain.Icon(icon), QString());
  button->setToolTip(QString::fromUtf8(hint));
  button->setStatusTip(QString::fromUtf8(hint));
  return button;
}

void TQOZMain::CreateMenus() {
  MI_File = menuBar()->addMenu(QStringLiteral("&File"));
  Command(MI_File, MI_FileNew, "&New", TQOZIcons::kNew);
  Command(MI_File, MI_FileOpen, "&Open...", TQOZIcons::kOpen);
  Command(MI_File, MI_FileSave, "&Save...", TQOZIcons::kSave, QKeySequence(Qt::CTRL | Qt::Key_S));
  Command(MI_File, MI_FileSaveAs, "Save &As...", -1);
  Command(MI_File, Import1, "&Import", TQOZIcons::kImport);
  Command(MI_File, SaveBackup1, "A&uto Save...", TQOZIcons::kAutoSave);
  MI_File->addSeparator();
  Command(MI_File, MI_FilePrint, "&Print...", TQOZIcons::kPrint,
          QKeySequence(Qt::CTRL | Qt::Key_P));
  MI_File->addSeparator();
  Command(MI_File, MI_FileExit, "&Exit", TQOZIcons::kExit);

  MI_Edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  Command(MI_Edit, MI_EditNewNote, "New &Note...", TQOZIcons::kNewNote,
          QKeySequence(Qt::CTRL | Qt::Key_N));
  Command(MI_Edit, MI_EditNewSheet, "New &Sheet...", TQOZIcons::kNewSheet,
          QKeySequence(Qt::CTRL | Qt::Key_W));

  MI_Search = menuBar()->addMenu(QStringLiteral("&Search"));
  Command(MI_Search, MI_SearchGlobal, "&Global...", TQOZIcons::kSearch,
          QKeySequence(Qt::CTRL | Qt::Key_F));
  Command(MI_Search, MI_SearchNotes, "&Notes...", -1);
  Command(MI_Search, MI_SearchSheets, "&Sheets...", -1);
  Command(MI_Search, MI_SearchAttachments, "&Attachments...", -1);

  MI_View = menuBar()->addMenu(QStringLiteral("&View"));
  Command(MI_View, MI_ViewZoomIn, "Zoom &In", TQOZIcons::kZoomIn,
          QKeySequence(Qt::CTRL | Qt::Key_I));
  Command(MI_View, MI_ViewZoomOut, "Zoom &Out", TQOZIcons::kZoomOut,
          QKeySequence(Qt::CTRL | Qt::Key_U));
  MI_View->addSeparator();
  Command(MI_View, MI_ViewRelations, "&Relation types...", TQOZIcons::kRelations,
          QKeySequence(Qt::CTRL | Qt::Key_R));

  MI_Window = menuBar()->addMenu(QStringLiteral("&Window"));
  connect(MI_Window, &QMenu::aboutToShow, this, &TQOZMain::UpdateWindowMenu);
  UpdateWindowMenu();

  MI_Help = menuBar()->addMenu(QStringLiteral("&Help"));
  Command(MI_Help, MI_HelpContents, "&Contents", TQOZIcons::kHelp);
  MI_Help->addSeparator();
  Command(MI_Help, MI_HelpAbout, "&About", -1);
}

// The Window menu's commands, then the open child windows with the active
// one checked.
void TQOZMain::UpdateWindowMenu() {
  MI_Window->clear();
  Command(MI_Window, MI_WindowCascade, "&Cascade", TQOZIcons::kCascade);
  Command(MI_Window, MI_WindowTile, "&Tile", TQOZIcons::kTile);
  Command(MI_Window, MI_WindowFit, "&Fit to screen", TQOZIcons::kFit);
  connect(MI_WindowCascade, &QAction::triggered, MdiArea, &QMdiArea::cascadeSubWindows);
  connect(MI_WindowTile, &QAction::triggered, MdiArea, &QMdiArea::tileSubWindows);
  connect(MI_WindowFit, &QAction::triggered, this, &TQOZMain::TB_FitToScreenClick);
  const QList<QMdiSubWindow*> windows = MdiArea->subWindowList();
  if (!windows.isEmpty()) MI_Window->addSeparator();
  int number = 1;
  for (QMdiSubWindow* window : windows) {
    QAction* entry =
        MI_Window->addAction(QStringLiteral("&%1 %2").arg(number++).arg(window->windowTitle()));
    entry->setCheckable(true);
    entry->setChecked(window == MdiArea->activeSubWindow());
    connect(entry, &QAction::triggered, this,
            [this, window] { MdiArea->setActiveSubWindow(window); });
  }
}

void TQOZMain::CreateToolBar() {
  ToolBar = addToolBar(QStringLiteral("Commands"));
  ToolBar->setObjectName(QStringLiteral("ToolBar"));
  ToolBar->setMovable(false);
  ToolBar->setIconSize(QSize(24, 24));
  Button(TB_new, "New Project", TQOZIcons::kNew);
  Button(TB_Open, "Open Project", TQOZIcons::kOpen);
  Button(TB_Save, "Save Project", TQOZIcons::kSave);
  Button(tbImport, "Import File", TQOZIcons::kImport);
  Button(tbAutoSave, "Auto Save", TQOZIcons::kAutoSave);
  ToolBar->addSeparator();
  Button(TB_Print, "Print the active sheet", TQOZIcons::kPrint);
  ToolBar->addSeparator();
  Button(TB_NewNote, "New Note", TQOZIcons::kNewNote);
  Button(TB_NewSheet, "New Sheet", TQOZIcons::kNewSheet);
  PN_NewNote = new QLabel(ToolBar);
  PN_NewNote->setPixmap(IL_Nav.Icon(TQOZIcons::kNote).pixmap(QSize(24, 24)));
  PN_NewNote->setToolTip(QStringLiteral("Drag and Drop On Sheet"));
  PN_NewNote->setFrameShape(QFrame::StyledPanel);
  PN_NewNote->setFrameShadow(QFrame::Raised);
  PN_NewNote->setContentsMargins(3, 1, 3, 1);
  PN_NewNote->setCursor(Qt::OpenHandCursor);
  PN_NewNote->installEventFilter(this);
  ToolBar->addWidget(PN_NewNote);
  ToolBar->addSeparator();
  Button(TB_Search, "Search", TQOZIcons::kSearch);
  ToolBar->addSeparator();
  Button(TB_ZoomIn, "Zoom in", TQOZIcons::kZoomIn);
  Button(TB_ZoomOut, "Zoom out", TQOZIcons::kZoomOut);
  CB_Zoom = new QComboBox(ToolBar);
  CB_Zoom->setToolTip(QStringLiteral("Zoom Percentage"));
  for (const QString& entry : kZoomEntries) CB_Zoom->addItem(entry);
  ToolBar->addWidget(CB_Zoom);
  Button(TB_Relations, "Relation types", TQOZIcons::kRelations);
  ToolBar->addSeparator();
  Button(TB_Cascade, "Cascade Windows", TQOZIcons::kCascade);
  Button(TB_Tile, "Tile Windows", TQOZIcons::kTile);
  Button(TB_FitToScreen, "Fit to screen", TQOZIcons::kFit);
  ToolBar->addSeparator();
  Button(ToolButton15, "help", TQOZIcons::kHelp);
  Button(TB_Exit, "Exit QOZ", TQOZIcons::kExit);
}

void TQOZMain::ConnectCommands() {
  const auto both = [this](QAction* item, QAction* button, void (TQOZMain::*handler)()) {
    for (QAction* action : {item, button}) {
      if (action) connect(action, &QAction::triggered, this, handler);
    }
  };
  both(MI_FileNew, TB_new, &TQOZMain::TB_NewClick);
  both(MI_FileOpen, TB_Open, &TQOZMain::TB_OpenClick);
  both(MI_FileSave, TB_Save, &TQOZMain::TB_SaveClick);
  both(MI_FileSaveAs, nullptr, &TQOZMain::MI_FileSaveAsClick);
  both(Import1, tbImport, &TQOZMain::tbImportClick);
  both(MI_FileExit, TB_Exit, &TQOZMain::MI_FileExitClick);
  both(MI_EditNewNote, TB_NewNote, &TQOZMain::TB_NewNoteClick);
  both(MI_EditNewSheet, TB_NewSheet, &TQOZMain::TB_NewSheetClick);
  both(MI_HelpContents, ToolButton15, &TQOZMain::MI_HelpContentsClick);
  both(MI_HelpAbout, nullptr, &TQOZMain::MI_HelpAboutClick);
  both(MI_ViewZoomIn, TB_ZoomIn, &TQOZMain::MI_ViewZoomInClick);
  both(MI_ViewZoomOut, TB_ZoomOut, &TQOZMain::MI_ViewZoomOutClick);
  both(nullptr, TB_FitToScreen, &TQOZMain::TB_FitToScreenClick);
  connect(CB_Zoom, &QComboBox::activated, this, [this] { CB_ZoomChange(); });
  connect(TB_Cascade, &QAction::triggered, MdiArea, &QMdiArea::cascadeSubWindows);
  connect(TB_Tile, &QAction::triggered, MdiArea, &QMdiArea::tileSubWindows);
  // These work on searches, relation types, autosave and printing, whose
  // windows come later; they are shown, greyed, until then.
  for (QAction* later :
       {SaveBackup1, tbAutoSave, MI_FilePrint, TB_Print, MI_SearchGlobal, MI_SearchNotes,
        MI_SearchSheets, MI_SearchAttachments, TB_Search, MI_ViewRelations, TB_Relations}) {
    later->setEnabled(false);
  }
}

void TQOZMain::UpdateTitle() {
  setWindowTitle(QStringLiteral("QOZ - ") + QFileInfo(FromLocal(project_->FileName())).fileName());
}

// ---------------------------------------------------------------------------
// Start-up

void TQOZMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!started_) QTimer::singleShot(0, this, &TQOZMain::StartUp);
}

void TQOZMain::StartUp() {
  if (started_) return;
  started_ = true;
  StartForm = new TStartForm();
  StartForm->SetTickInterval(splashTick_);
  StartForm->show();
  Q_EMIT SplashShown(StartForm);
  QCoreApplication::processEvents();

  const QString last = settings_.Value(kLastProject).value_or(QString());
  if (!last.isEmpty() && QFileInfo::exists(last)) {
    OpenProject(last);
  } else {
    StartNewProject();
  }
  UpdateTitle();
  GiveWindowsTheProject();
  CB_Zoom->setCurrentIndex(1);

  if (!StartForm->Finished()) {
    QEventLoop wait;
    connect(StartForm, &TStartForm::FinishedChanged, &wait, &QEventLoop::quit);
    wait.exec();
  }
  delete StartForm;
  StartForm = nullptr;
  SwitchToWorkFile();
}

// Only a switch to the project just loaded is safe: pointing the open
// project at another path would let the next save overwrite that project.
// For the loaded project itself the switch rewrites its project file.
void TQOZMain::SwitchToWorkFile() {
  const QString target = settings_.Value(kLocateWorkFiles).value_or(QString());
  const QString open = FromLocal(project_->FileName());
  if (target.isEmpty() || !QFileInfo::exists(open) || !SamePath(target, open)) return;
  SaveLoadFrm->show();
  QCoreApplication::processEvents();
  try {
    TIniFile ini = TIniFile::Load(Local(target));
    ini.WriteString("QOZ", "Version", "5.0");
    ini.WriteString("DEFAULTS", "Grid", "No");
    ini.SaveTo(Local(target));
    MakeCurrentDirectoryOf(target);
    project_->SetFileName(Local(target));
    settings_.SetValue(kLastProject, target);
    UpdateTitle();
  } catch (const std::exception& error) {
    ShowSaveError(QString::fromLocal8Bit(error.what()));
  }
  SaveLoadFrm->hide();
}

// ---------------------------------------------------------------------------
// The project lifecycle

std::unique_ptr<TContainer> TQOZMain::FreshProject() const {
  auto project = std::make_unique<TContainer>();
  project->SetFileName(Local(NewProjectPath()));
  return project;
}

// The sheet windows show items of the project that goes: they close first.
void TQOZMain::ReplaceProject(std::unique_ptr<TContainer> project) {
  CloseSheetWindows();
  Navigator->ReleaseProject();
  project_ = std::move(project);
  UpdateTitle();
}

// Nobody has edited a new project yet: closing it asks nothing.
void TQOZMain::StartNewProject() {
  ReplaceProject(FreshProject());
  AddDefaultRelationTypes();
  project_->SetModified(false);
}

void TQOZMain::GiveWindowsTheProject() {
  Navigator->LoadProject(project_.get());
  Q_EMIT ProjectReplaced();
}

void TQOZMain::OpenProject(const QString& path) {
  try {
    project_->SetProgressBar(StartForm);
    project_->OpenProject(Local(path));
    project_->SetProgressBar(nullptr);
    MakeCurrentDirectoryOf(path);
    RememberLastProject();
  } catch (const std::exception& error) {
    project_->SetProgressBar(nullptr);
    Dialogs().Message(this,
                      QStringLiteral("An error occurred while loading. File may be of older "
                                     "version...\nA new project (Noname.qoz) will be "
                                     "created...") +
                          QString::fromLocal8Bit(error.what()),
                      TMessageIcon::Error, TMessageButtons::Ok);
    StartNewProject();
  }
  UpdateTitle();
}

void TQOZMain::ShowSaveError(const QString& detail) {
  Dialogs().Message(this,
                    QStringLiteral("An error occurred while trying to save the current "
                                   "project!\nDetailInfo: ") +
                        detail,
                    TMessageIcon::Error, TMessageButtons::Ok);
}

bool TQOZMain::SaveProjectToPath(const QString& path) {
  SaveLoadFrm->show();
  QCoreApplication::processEvents();
  bool saved = true;
  try {
    project_->SaveProject(Local(path));
    MakeCurrentDirectoryOf(path);
    RememberLastProject();
    setWindowTitle(QStringLiteral("QOZ - ") + QFileInfo(path).fileName());
  } catch (const std::exception& error) {
    ShowSaveError(QString::fromLocal8Bit(error.what()));
    saved = false;
  }
  SaveLoadFrm->hide();
  return saved;
}

void TQOZMain::RememberLastProject() {
  if (project_->FileName().empty()) project_->SetFileName(Local(NewProjectPath()));
  settings_.SetValue(kLastProject, FromLocal(project_->FileName()));
}

bool TQOZMain::SaveIfModified() {
  if (!project_->IsModified()) return true;
  const TMessageAnswer answer = Dialogs().Message(
      this, FromLocal(project_->FileName()) + QStringLiteral(" is modified. Save before closing?"),
      TMessageIcon::Confirmation, TMessageButtons::YesNoCancel);
  if (answer == TMessageAnswer::No) return true;
  if (answer != TMessageAnswer::Yes) return false;
  // Saved as the Save command saves: an unnamed project asks for a name, and
  // a cancelled name or a failed save abandons the command that asked.
  if (IsUnnamed() && !AskSaveAs()) return false;
  return SaveProjectToPath(FromLocal(project_->FileName()));
}

bool TQOZMain::AskSaveAs() {
  const QFileInfo current(FromLocal(project_->FileName()));
  TFileDialogOptions options;
  options.Filter = kSaveFilter;
  options.DefaultExtension = QStringLiteral("qoz");
  options.Directory = current.absolutePath();
  options.FileName = current.fileName();
  options.OverwritePrompt = true;
  options.CreatePrompt = true;
  options.PathMustExist = true;
  const std::optional<QString> chosen = Dialogs().SaveFile(this, options);
  if (chosen && !chosen->isEmpty()) project_->SetFileName(Local(*chosen));
  CopyPicturesIntoProjectFolder();
  NotifyNavigators(nullptr);
  return chosen && !chosen->isEmpty();
}

// Each note's picture is copied beside the project (its ImageFile stays as
// it is); a picture that already lies there is left alone, since copying a
// file onto itself would destroy it. Failures are ignored.
void TQOZMain::CopyPicturesIntoProjectFolder() {
  const QString folder = FromLocal(project_->Directory());
  if (folder.isEmpty()) return;
  for (std::int32_t i = 0; i < project_->NoteCount(); ++i) {
    const QString picture = FromText(project_->GetNote(i)->ImageFile());
    if (picture.isEmpty() || !QFileInfo::exists(picture)) continue;
    const QString target = QDir(folder).filePath(QFileInfo(picture).fileName());
    if (SamePath(picture, target)) continue;
    QFile::remove(target);
    QFile::copy(picture, target);
  }
}

void TQOZMain::AddDefaultRelationTypes() {
  for (const char* name : {"leads to", "consists of", "assumes"}) {
    TRelation record = DefaultRelation;
    record.Name = name;
    project_->AddRelationType(record);
  }
}

// ---------------------------------------------------------------------------
// Notifications

void TQOZMain::NotifyNavigators(TPoolItem* item) {
  if (Navigator) Navigator->NotifyItem(item, false);
  Q_EMIT ItemAdded(item);
}

void TQOZMain::OpenArrangedSheetWindow(TSheetItem* sheet) {
  OpenSheetWindow(sheet);
  TB_FitToScreenClick();
}

void TQOZMain::SuspendRepainting(bool suspended) { setUpdatesEnabled(!suspended); }

QList<TDrawSheet*> TQOZMain::SheetWindows() const {
  QList<TDrawSheet*> windows;
  for (QMdiSubWindow* window : MdiArea->subWindowList()) {
    auto* sheet = qobject_cast<TDrawSheet*>(window->widget());
    if (sheet && !window->isHidden()) windows.append(sheet);
  }
  return windows;
}

void TQOZMain::CloseSheetWindows() {
  for (QMdiSubWindow* window : MdiArea->subWindowList()) {
    if (qobject_cast<TDrawSheet*>(window->widget())) {
      window->close();
      delete window;
    }
  }
}

// Redraws every sheet window and closes those whose sheet is gone.
void TQOZMain::RefreshSheetWindows() {
  for (QMdiSubWindow* window : MdiArea->subWindowList()) {
    auto* sheetWindow = qobject_cast<TDrawSheet*>(window->widget());
    if (!sheetWindow) continue;
    if (window->isHidden()) continue;  // closed, waiting to be deleted
    if (sheetWindow->Container == project_.get() && project_->ContainsSheet(sheetWindow->Sheet)) {
      sheetWindow->Refresh(false);
    } else {
      // Deleted once control is back in the event loop: this may run inside
      // a handler of that very window, or during its drag.
      window->close();
    }
  }
}

bool TQOZMain::IsSheetOpen(const TSheetItem* sheet) const {
  const QList<TDrawSheet*> windows = SheetWindows();
  return std::any_of(windows.begin(), windows.end(),
                     [&](const TDrawSheet* window) { return window->Sheet == sheet; });
}

TDrawSheet* TQOZMain::OpenSheetWindow(TSheetItem* sheet) {
  auto* window = new TDrawSheet();
  window->ZoomSelector = CB_Zoom;
  QMdiSubWindow* child = MdiArea->addSubWindow(window);
  child->setAttribute(Qt::WA_DeleteOnClose);
  child->resize(607, 431);
  child->show();
  try {
    window->OpenSheet(project_.get(), sheet);
  } catch (...) {
    // A window that could not show its sheet is not left behind.
    delete child;
    throw;
  }
  window->SyncZoomSelector();
  MdiArea->setActiveSubWindow(child);
  return window;
}

TDrawSheet* TQOZMain::ActiveSheetWindow() const {
  QMdiSubWindow* active = MdiArea->activeSubWindow();
  return active ? qobject_cast<TDrawSheet*>(active->widget()) : nullptr;
}

void TQOZMain::SyncAggregationNotes() { project_->SyncAggregationNotes(); }

// ---------------------------------------------------------------------------
// Commands

void TQOZMain::TB_NewClick() {
  if (Dialogs().Message(this, QStringLiteral("Are you sure you want to start a new project ?"),
                        TMessageIcon::Confirmation,
                        TMessageButtons::YesNo) != TMessageAnswer::Yes) {
    return;
  }
  if (!SaveIfModified()) return;
  StartNewProject();
  GiveWindowsTheProject();
  RefreshSheetWindows();
}

// The open dialog of Open and Import, in the current directory; nothing when
// it is cancelled or no name is given.
std::optional<QString> TQOZMain::ChooseProjectFile() {
  TFileDialogOptions options;
  options.Filter = kProjectFilter;
  options.DefaultExtension = QStringLiteral("qoz");
  options.Directory = QDir::currentPath();
  options.FileMustExist = true;
  options.PathMustExist = true;
  std::optional<QString> chosen = Dialogs().OpenFile(this, options);
  if (chosen && chosen->isEmpty()) chosen.reset();
  return chosen;
}

bool TQOZMain::IsUnnamed() const {
  return QFileInfo(FromLocal(project_->FileName())).fileName() == QLatin1String(kNewFileName);
}

void TQOZMain::TB_OpenClick() {
  if (SaveIfModified()) {
    const std::optional<QString> chosen = ChooseProjectFile();
    if (chosen) {
      ReplaceProject(std::make_unique<TContainer>());
      OpenProject(*chosen);
    }
  }
  GiveWindowsTheProject();
  RefreshSheetWindows();
}

void TQOZMain::TB_SaveClick() {
  if (!IsUnnamed() || AskSaveAs()) SaveProjectToPath(FromLocal(project_->FileName()));
}

void TQOZMain::MI_FileSaveAsClick() {
  if (AskSaveAs()) SaveProjectToPath(FromLocal(project_->FileName()));
}

// The import is all or nothing: a project that fails to load adds nothing.
void TQOZMain::tbImportClick() {
  if (SaveIfModified()) {
    const std::optional<QString> chosen = ChooseProjectFile();
    if (chosen) {
      try {
        project_->ImportProject(Local(*chosen));
      } catch (const std::exception& error) {
        Dialogs().Message(this, QString::fromLocal8Bit(error.what()), TMessageIcon::Error,
                          TMessageButtons::Ok);
      }
    }
  }
  GiveWindowsTheProject();
  RefreshSheetWindows();
}

void TQOZMain::MI_FileExitClick() { close(); }

void TQOZMain::closeEvent(QCloseEvent* event) {
  if (!SaveIfModified()) {
    event->ignore();
    return;
  }
  event->accept();
}

void TQOZMain::TB_NewNoteClick() { project_->AddNote(DefaultNote); }

void TQOZMain::TB_NewSheetClick() { project_->AddSheet(DefaultSheet); }

QString TQOZMain::HelpPage() {
  const QString installed =
      QCoreApplication::applicationDirPath() + QStringLiteral("/../share/qoz/help/index.html");
  if (QFileInfo::exists(installed)) return QFileInfo(installed).canonicalFilePath();
  const QString source = QStringLiteral(QOZ_SOURCE_HELP_PAGE);
  return QFileInfo::exists(source) ? source : QString();
}

void TQOZMain::MI_HelpContentsClick() {
  const QString page = HelpPage();
  if (page.isEmpty() || !DesktopShell().Open(page)) {
    Dialogs().Message(this, QStringLiteral("The help page could not be opened."),
                      TMessageIcon::Information, TMessageButtons::Ok);
  }
}

void TQOZMain::MI_HelpAboutClick() { Dialogs().ShowModal(*AboutBox); }

void TQOZMain::MI_ViewZoomInClick() {
  if (TDrawSheet* window = ActiveSheetWindow()) window->ZoomInSheet();
}

void TQOZMain::MI_ViewZoomOutClick() {
  if (TDrawSheet* window = ActiveSheetWindow()) window->ZoomOutSheet();
}

// The entry's text without its last character ("%") is the zoom.
void TQOZMain::CB_ZoomChange() {
  TDrawSheet* window = ActiveSheetWindow();
  if (!window) return;
  QString text = CB_Zoom->currentText();
  text.chop(1);
  bool number = false;
  const int percent = text.toInt(&number);
  if (number) window->ZoomSheetTo(percent);
}

// The navigator at the left, a quarter of the width plus its property
// panel's room, the panel then hidden; every other window beside it.
void TQOZMain::TB_FitToScreenClick() {
  showMaximized();
  const QSize client = MdiArea->viewport()->size();
  const int height = std::max(1, client.height() - 4);
  int left = 0;
  // A navigator the user closed comes back: it is only hidden.
  if (NavigatorWindow) {
    if (!Navigator->PropertiesVisible()) Navigator->btn_togglepropClick();
    NavigatorWindow->showNormal();
    NavigatorWindow->setGeometry(0, 0, client.width() / 4 + TNavForm::kMinPanelWidth, height);
    Navigator->Splitter1->setSizes(
        {client.width() / 4, NavigatorWindow->width() - client.width() / 4});
    Navigator->btn_togglepropClick();
    left = NavigatorWindow->width();
  }
  for (QMdiSubWindow* window : MdiArea->subWindowList()) {
    if (window == NavigatorWindow || window->isHidden()) continue;
    window->showNormal();
    window->setGeometry(left, 0, std::max(1, client.width() - left - 4), height);
  }
}

void TQOZMain::PN_NewNoteStartDrag() {
  DragLauncher().Run(PN_NewNote, std::make_unique<TDragNewNote>());
}

// The new-note tile is a drag source: a press on it followed by a move of
// the platform's drag distance starts the drag.
bool TQOZMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched != PN_NewNote) return QMainWindow::eventFilter(watched, event);
  const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
  if (!mouse) return QMainWindow::eventFilter(watched, event);
  const QPoint at = mouse->position().toPoint();
  if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
    newNotePress_ = at;
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease) newNotePress_.reset();
  if (event->type() == QEvent::MouseMove && newNotePress_ && (mouse->buttons() & Qt::LeftButton) &&
      (at - *newNotePress_).manhattanLength() >= QApplication::startDragDistance()) {
    newNotePress_.reset();
    PN_NewNoteStartDrag();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}
