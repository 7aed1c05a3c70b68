#pragma once

#include "base/Notifications.h"
#include "navigator/NavigatorHost.h"
#include "platform/ImageList.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class TContainer;
class TNavForm;
class TDrawSheet;
class TSaveLoadFrm;
class TSettingsStore;
class TSheetItem;
class TStartForm;
class Tfrm_about;

// The frame of the application: a multiple-document window that owns the
// one open project, runs the start-up, carries out New, Open, Save, Save As,
// Import and Exit with their prompts, and tells the other windows about
// changes (it is the core's INotifications while it lives). Every question
// goes through the installed dialogs; the per-user values through settings.
class TQOZMain : public QMainWindow, public INotifications, public TNavigatorHost {
  Q_OBJECT

 public:
  static constexpr const char* kNewFileName = "Noname.qoz";

  explicit TQOZMain(TSettingsStore& settings, QWidget* parent = nullptr);
  ~TQOZMain() override;

  TContainer& Project() const { return *project_; }

  // The start-up sequence; runs once, when the window is first shown.
  void StartUp();
  // The splash's tick (one second); tests make it short.
  void SetSplashTickInterval(int milliseconds) { splashTick_ = milliseconds; }

  void OpenProject(const QString& path);
  // False when the save failed (the message has been shown then).
  bool SaveProjectToPath(const QString& path);
  void RememberLastProject();
  // True when the caller may go on: nothing unsaved, the user chose No, or
  // the project was saved. Cancel, a cancelled file name or a failed save
  // give false.
  bool SaveIfModified();
  bool AskSaveAs();
  void AddDefaultRelationTypes();

  void NotifyNavigators(TPoolItem* item) override;
  void RefreshSheetWindows() override;
  bool IsSheetOpen(const TSheetItem* sheet) const override;
  void OpenArrangedSheetWindow(TSheetItem* sheet) override;
  void SuspendRepainting(bool suspended) override;
  void SyncAggregationNotes();

  // Handlers, named after their controls.
  void TB_NewClick();
  void TB_OpenClick();
  void TB_SaveClick();
  void MI_FileSaveAsClick();
  void tbImportClick();
  void MI_FileExitClick();
  void TB_NewNoteClick();
  void TB_NewSheetClick();
  void MI_HelpContentsClick();
  void MI_HelpAboutClick();
  void MI_ViewZoomInClick();
  void MI_ViewZoomOutClick();
  void CB_ZoomChange();
  void TB_FitToScreenClick();

  // A new sheet window on the sheet of the open project, made active.
  TDrawSheet* OpenSheetWindow(TSheetItem* sheet);
  // The active child window when it is a sheet window, else nullptr.
  TDrawSheet* ActiveSheetWindow() const;
  QList<TDrawSheet*> SheetWindows() const;

  // The help page that ships with the program, or an empty string.
  static QString HelpPage();

  QMdiArea* MdiArea = nullptr;
  QMenu* MI_File = nullptr;
  QMenu* MI_Edit = nullptr;
  QMenu* MI_Search = nullptr;
  QMenu* MI_View = nullptr;
  QMenu* MI_Window = nullptr;
  QMenu* MI_Help = nullptr;
  QAction* MI_FileNew = nullptr;
  QAction* MI_FileOpen = nullptr;
  QAction* MI_FileSave = nullptr;
  QAction* MI_FileSaveAs = nullptr;
  QAction* Import1 = nullptr;
  QAction* SaveBackup1 = nullptr;
  QAction* MI_FilePrint = nullptr;
  QAction* MI_FileExit = nullptr;
  QAction* MI_EditNewNote = nullptr;
  QAction* MI_EditNewSheet = nullptr;
  QAction* MI_SearchGlobal = nullptr;
  QAction* MI_SearchNotes = nullptr;
  QAction* MI_SearchSheets = nullptr;
  QAction* MI_SearchAttachments = nullptr;
  QAction* MI_ViewZoomIn = nullptr;
  QAction* MI_ViewZoomOut = nullptr;
  QAction* MI_ViewRelations = nullptr;
  QAction* MI_WindowCascade = nullptr;
  QAction* MI_WindowTile = nullptr;
  QAction* MI_WindowFit = nullptr;
  QAction* MI_HelpContents = nullptr;
  QAction* MI_HelpAbout = nullptr;
  QToolBar* ToolBar = nullptr;
  QAction* TB_new = nullptr;
  QAction* TB_Open = nullptr;
  QAction* TB_Save = nullptr;
  QAction* tbImport = nullptr;
  QAction* tbAutoSave = nullptr;
  QAction* TB_Print = nullptr;
  QAction* TB_Exit = nullptr;
  QAction* TB_NewNote = nullptr;
  QAction* TB_NewSheet = nullptr;
  QAction* TB_Search = nullptr;
  QAction* TB_ZoomIn = nullptr;
  QAction* TB_ZoomOut = nullptr;
  QAction* TB_Relations = nullptr;
  QAction* TB_Cascade = nullptr;
  QAction* TB_Tile = nullptr;
  QAction* TB_FitToScreen = nullptr;
  QAction* ToolButton15 = nullptr;
  QComboBox* CB_Zoom = nullptr;
  QLabel* PN_NewNote = nullptr;
  // The project's tree, a child window from the start.
  TNavForm* Navigator = nullptr;
  QMdiSubWindow* NavigatorWindow = nullptr;
  // Starts the drag of a new note from PN_NewNote, once the pointer has
  // moved far enough with the button down on it.
  void PN_NewNoteStartDrag();
  TImageList IL_Nav;
  TImageList IL_QOZMain;
  Tfrm_about* AboutBox = nullptr;
  TSaveLoadFrm* SaveLoadFrm = nullptr;
  // The splash while the start-up runs, else nullptr.
  TStartForm* StartForm = nullptr;

 Q_SIGNALS:
  // The splash of the start-up is up; it goes when the start-up ends.
  void SplashShown(TStartForm* splash);
  // The open project was replaced (New, Open, a failed load): windows that
  // show it take the new one.
  void ProjectReplaced();
  // An item was added (nullptr: refresh only).
  void ItemAdded(TPoolItem* item);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateNavigator();
  // Where the button went down on PN_NewNote, while it is down.
  std::optional<QPoint> newNotePress_;

  void CreateMenus();
  void CreateToolBar();
  QAction* Command(QMenu* menu, QAction*& item, const char* caption, int icon,
                   const QKeySequence& shortcut = {});
  QAction* Button(QAction*& button, const char* hint, int icon);
  void ConnectCommands();
  void UpdateWindowMenu();
  void UpdateTitle();
  // A new container named after the current directory's "Noname.qoz" with
  // the default relation types, in place of the open one.
  void StartNewProject();
  void ReplaceProject(std::unique_ptr<TContainer> project);
  std::unique_ptr<TContainer> FreshProject() const;
  void GiveWindowsTheProject();
  // The work-file switch at the end of the start-up.
  void SwitchToWorkFile();
  void CopyPicturesIntoProjectFolder();
  std::optional<QString> ChooseProjectFile();
  // Still called "Noname.qoz": a save asks for a name first.
  bool IsUnnamed() const;
  void CloseSheetWindows();
  void ShowSaveError(const QString& detail);

  TSettingsStore& settings_;
  std::unique_ptr<TContainer> project_;
  INotifications* previousNotifications_ = nullptr;
  bool started_ = false;
  int splashTick_ = 1000;
};
