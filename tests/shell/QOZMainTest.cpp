#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/RelationItem.h"
#include "model/SheetItem.h"
#include "navigator/NavForm.h"
#include "navigator/NavTree.h"
#include "navigator/NavTreeView.h"
#include "project/Container.h"
#include "sheetwindow/DragNewNote.h"
#include "sheetwindow/SheetForm.h"
#include "shell/FrmAbout.h"
#include "shell/QOZMain.h"
#include "shell/StartForm.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingDesktopShell.h"
#include "support/RecordingDragLauncher.h"
#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

std::vector<std::string> RelationNames(const TContainer& project) {
  std::vector<std::string> names;
  for (std::int32_t i = 0; i < project.RelationCount(); ++i) {
    names.push_back(project.GetRelation(i)->Name());
  }
  return names;
}

// A main window over in-memory settings and scripted dialogs, started in a
// temporary folder that is also the current directory.
class QOZMainTest : public ::testing::Test {
 protected:
  QOZMainTest() : previousDirectory_(QDir::currentPath()) { QDir::setCurrent(Q(dir.Path())); }
  ~QOZMainTest() override { QDir::setCurrent(previousDirectory_); }

  TQOZMain& Start() {
    window = std::make_unique<TQOZMain>(settings);
    window->SetSplashTickInterval(1);
    window->StartUp();
    return *window;
  }

  // The fixture project "c" copied into folder; its path.
  fs::path CopyCafe(const fs::path& folder) {
    fs::create_directories(folder);
    qoztest::CopyFixtureFolder("tools/cafe", folder);
    return folder / "c.qoz";
  }

  qoztest::TTempDir dir;
  qoztest::TMemorySettingsStore settings;
  qoztest::TScriptedDialogs dialogs;
  std::unique_ptr<TQOZMain> window;

 private:
  QString previousDirectory_;
};

TEST_F(QOZMainTest, TheFirstStartMakesANewProjectWithTheThreeRelationTypes) {
  TQOZMain& main = Start();
  EXPECT_EQ(main.windowTitle(), QStringLiteral("QOZ - Noname.qoz"));
  EXPECT_THAT(RelationNames(main.Project()), ElementsAre("leads to", "consists of", "assumes"));
  EXPECT_EQ(main.Project().FileName(), (dir.Path() / "Noname.qoz").string());
  EXPECT_EQ(main.CB_Zoom->currentText(), QStringLiteral("100%"));
  EXPECT_EQ(main.CB_Zoom->count(), 6);
  EXPECT_EQ(main.StartForm, nullptr);
  EXPECT_TRUE(dialogs.Transcript().empty());
  EXPECT_EQ(settings.Values.count(QStringLiteral("LastProject")), 0u);
}

TEST_F(QOZMainTest, AStartWithTheLastProjectLoadsItWithTheSplashFullAtTheEnd) {
  const fs::path cafe = CopyCafe(dir.Path() / "cafe");
  settings.Values[QStringLiteral("LastProject")] = Q(cafe);
  window = std::make_unique<TQOZMain>(settings);
  window->SetSplashTickInterval(1);
  int position = -1;
  int maximum = -1;
  QObject::connect(window.get(), &TQOZMain::SplashShown, [&](TStartForm* splash) {
    QObject::connect(splash, &TStartForm::FinishedChanged, [&, splash] {
      position = splash->PB_StartUp->value();
      maximum = splash->PB_StartUp->maximum();
    });
  });
  window->StartUp();
  EXPECT_EQ(position, 6);
  EXPECT_EQ(maximum, 6);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("QOZ - c.qoz"));
  EXPECT_THAT(RelationNames(window->Project()), ElementsAre("leads to", "\x80 costs"));
  EXPECT_EQ(QDir::currentPath(), Q(dir.Path() / "cafe"));
  EXPECT_EQ(settings.Values[QStringLiteral("LastProject")], Q(cafe));
}

TEST_F(QOZMainTest, ALastProjectThatFailsToLoadGivesTheMessageAndANewProject) {
  const fs::path cafe = CopyCafe(dir.Path() / "cafe");
  fs::remove(dir.Path() / "cafe" / "c_Lnk.dat");
  settings.Values[QStringLiteral("LastProject")] = Q(cafe);
  dialogs.ExpectMessage(TMessageAnswer::Ok);
  TQOZMain& main = Start();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_THAT(dialogs.Messages()[0].toStdString(),
              StartsWith("An error occurred while loading. File may be of older version...\n"
                         "A new project (Noname.qoz) will be created..."));
  EXPECT_THAT(dialogs.Messages()[0].toStdString(), HasSubstr("c_Lnk.dat"));
  EXPECT_EQ(dialogs.Transcript()[0].Icon, TMessageIcon::Error);
  EXPECT_EQ(main.windowTitle(), QStringLiteral("QOZ - Noname.qoz"));
  EXPECT_EQ(main.Project().NoteCount(), 0);
  EXPECT_THAT(RelationNames(main.Project()), ElementsAre("leads to", "consists of", "assumes"));
}

TEST_F(QOZMainTest, SavingAnUnnamedProjectAsksForANameAndCancellingSavesNothing) {
  TQOZMain& main = Start();
  EXPECT_FALSE(main.Project().IsModified());  // nobody has edited it yet
  main.TB_NewNoteClick();
  dialogs.ExpectSaveFile(std::nullopt);
  main.TB_SaveClick();
  ASSERT_EQ(dialogs.Transcript().size(), 1u);
  const TFileDialogOptions& options = dialogs.Transcript()[0].FileOptions;
  EXPECT_EQ(options.Filter, QStringLiteral("QOZ Projects (*.qoz)|*.qoz|All Files (*.*)|*.*"));
  EXPECT_EQ(options.DefaultExtension, QStringLiteral("qoz"));
  EXPECT_EQ(options.FileName, QStringLiteral("Noname.qoz"));
  EXPECT_TRUE(options.OverwritePrompt && options.CreatePrompt && options.PathMustExist);
  EXPECT_TRUE(qoztest::FileNames(dir.Path()).empty());
  EXPECT_TRUE(main.Project().IsModified());
}

TEST_F(QOZMainTest, SaveAsIntoANewFolderThenSaveWritesThereAndRemembersIt) {
  TQOZMain& main = Start();
  main.TB_NewNoteClick();
  const fs::path target = dir.Path() / "new folder" / "plan.qoz";
  dialogs.ExpectSaveFile(Q(target));
  main.MI_FileSaveAsClick();
  const std::vector<std::string> files = {"plan.qoz",     "plan_Att.dat", "plan_Lnk.dat",
                                          "plan_Not.dat", "plan_Pos.dat", "plan_Rel.dat",
                                          "plan_Sht.dat"};
  EXPECT_EQ(qoztest::FileNames(target.parent_path()), files);
  EXPECT_EQ(main.windowTitle(), QStringLiteral("QOZ - plan.qoz"));
  EXPECT_EQ(settings.Values[QStringLiteral("LastProject")], Q(target));
  EXPECT_FALSE(main.Project().IsModified());
  main.TB_NewSheetClick();
  main.TB_SaveClick();  // named now: no dialog
  EXPECT_TRUE(dialogs.Done());
  EXPECT_FALSE(main.Project().IsModified());
  TContainer reloaded;
  reloaded.OpenProject(target.string());
  EXPECT_EQ(reloaded.NoteCount(), 1);
  EXPECT_EQ(reloaded.SheetCount(), 1);
}

TEST_F(QOZMainTest, NewAsksFirstAndTheModifiedPromptDecides) {
  TQOZMain& main = Start();
  main.TB_NewNoteClick();
  dialogs.ExpectMessage(TMessageAnswer::No);  // not a new project after all
  main.TB_NewClick();
  EXPECT_EQ(main.Project().NoteCount(), 1);

  dialogs.ExpectMessage(TMessageAnswer::Yes);
  dialogs.ExpectMessage(TMessageAnswer::Cancel);  // keep the changes
  main.TB_NewClick();
  EXPECT_EQ(main.Project().NoteCount(), 1);

  dialogs.ExpectMessage(TMessageAnswer::Yes);
  dialogs.ExpectMessage(TMessageAnswer::No);  // discard them
  main.TB_NewClick();
  EXPECT_EQ(main.Project().NoteCount(), 0);
  EXPECT_THAT(RelationNames(main.Project()), ElementsAre("leads to", "consists of", "assumes"));
  EXPECT_THAT(
      dialogs.Messages(),
      ElementsAre(
          QStringLiteral("Are you sure you want to start a new project ?"),
          QStringLiteral("Are you sure you want to start a new project ?"),
          Q(dir.Path() / "Noname.qoz") + QStringLiteral(" is modified. Save before closing?"),
          QStringLiteral("Are you sure you want to start a new project ?"),
          Q(dir.Path() / "Noname.qoz") + QStringLiteral(" is modified. Save before closing?")));
  EXPECT_EQ(dialogs.Transcript()[2].Buttons, TMessageButtons::YesNoCancel);
  EXPECT_EQ(dialogs.Transcript()[2].Icon, TMessageIcon::Confirmation);
}

// Yes in the modified prompt saves as Save does: an unnamed project asks for
// a name, and cancelling it, or a failing save, abandons the command.
TEST_F(QOZMainTest, AnAnsweredYesThatSavesNothingAbandonsTheCommand) {
  TQOZMain& main = Start();
  main.TB_NewNoteClick();
  dialogs.ExpectMessage(TMessageAnswer::Yes);
  dialogs.ExpectMessage(TMessageAnswer::Yes);
  dialogs.ExpectSaveFile(std::nullopt);
  main.TB_NewClick();
  EXPECT_EQ(main.Project().NoteCount(), 1);

  std::ofstream(dir.Path() / "plain-file") << "not a folder";
  dialogs.ExpectMessage(TMessageAnswer::Yes);
  dialogs.ExpectMessage(TMessageAnswer::Yes);
  dialogs.ExpectSaveFile(Q(dir.Path() / "plain-file" / "p.qoz"));
  dialogs.ExpectMessage(TMessageAnswer::Ok);  // the save error
  main.TB_NewClick();
  EXPECT_EQ(main.Project().NoteCount(), 1);
  EXPECT_TRUE(main.Project().IsModified());
  EXPECT_THAT(dialogs.Messages().back().toStdString(),
              StartsWith("An error occurred while trying to save the current project!\n"
                         "DetailInfo: "));
  EXPECT_TRUE(dialogs.Done());
}

TEST_F(QOZMainTest, OpeningAProjectWithoutItsLinkFileEndsWithANewProject) {
  TQOZMain& main = Start();
  const fs::path cafe = CopyCafe(dir.Path() / "cafe");
  fs::remove(dir.Path() / "cafe" / "c_Lnk.dat");
  dialogs.ExpectOpenFile(Q(cafe));
  dialogs.ExpectMessage(TMessageAnswer::Ok);
  main.TB_OpenClick();
  EXPECT_THAT(dialogs.Messages().at(0).toStdString(),
              StartsWith("An error occurred while loading."));
  EXPECT_EQ(main.windowTitle(), QStringLiteral("QOZ - Noname.qoz"));
  EXPECT_EQ(main.Project().NoteCount(), 0);
  EXPECT_EQ(dialogs.Transcript()[0].FileOptions.Filter,
            QStringLiteral("QOZ Projects (*.qoz)|*.qoz"));
}

TEST_F(QOZMainTest, ExitWithUnsavedChangesAnsweredCancelKeepsRunning) {
  TQOZMain& main = Start();
  main.show();
  main.TB_NewNoteClick();
  dialogs.ExpectMessage(TMessageAnswer::Cancel);
  main.MI_FileExitClick();
  EXPECT_TRUE(main.isVisible());
  dialogs.ExpectMessage(TMessageAnswer::No);
  main.MI_FileExitClick();
  EXPECT_FALSE(main.isVisible());
}

TEST_F(QOZMainTest, AFailingImportShowsItsErrorAndAddsNothing) {
  TQOZMain& main = Start();
  const fs::path cafe = CopyCafe(dir.Path() / "cafe");
  std::ofstream(dir.Path() / "cafe" / "c_Lnk.dat", std::ios::app) << "broken\r\n";
  dialogs.ExpectOpenFile(Q(cafe));
  dialogs.ExpectMessage(TMessageAnswer::Ok);
  main.tbImportClick();
  EXPECT_THAT(dialogs.Messages().at(0).toStdString(), HasSubstr("c_Lnk.dat"));
  EXPECT_EQ(main.Project().NoteCount(), 0);
  EXPECT_EQ(main.Project().SheetCount(), 0);
  dialogs.ExpectOpenFile(Q(CopyCafe(dir.Path() / "good")));
  main.tbImportClick();
  EXPECT_EQ(main.Project().NoteCount(), 2);
  EXPECT_EQ(main.Project().RelationCount(), 5);

  // Each import gave the navigator the same project again: a rename and a
  // delete reach the nodes of the last build only.
  TNavForm& navigator = *main.Navigator;
  TNoteItem* first = main.Project().GetNote(0);
  first->SetTitle("Renamed");
  EXPECT_EQ(navigator.Tree->NotesNode->child(0)->text(0), QStringLiteral("Renamed"));
  first->Delete();
  ASSERT_EQ(navigator.Tree->NotesNode->childCount(), 1);
  EXPECT_NE(navigator.Tree->NotesNode->child(0)->text(0), QStringLiteral("Renamed"));
}

// The switch points the open project at the path the autosave settings
// name only when that is the project just loaded.
TEST_F(QOZMainTest, TheWorkFileSwitchTouchesOnlyTheLoadedProject) {
  const fs::path cafe = CopyCafe(dir.Path() / "cafe");
  const fs::path other = CopyCafe(dir.Path() / "other");
  const std::string otherBefore = qoztest::ReadBytes((dir.Path() / "other" / "c.qoz").string());
  settings.Values[QStringLiteral("LastProject")] = Q(cafe);
  settings.Values[QStringLiteral("LocateWorkFiles")] = Q(other);
  TQOZMain& main = Start();
  EXPECT_EQ(main.Project().FileName(), cafe.string());
  EXPECT_EQ(qoztest::ReadBytes((dir.Path() / "other" / "c.qoz").string()), otherBefore);

  settings.Values[QStringLiteral("LocateWorkFiles")] = Q(cafe);
  std::ofstream(cafe, std::ios::trunc) << "[QOZ]\r\nVersion=4.0\r\n";
  window.reset();
  TQOZMain& again = Start();
  EXPECT_EQ(again.Project().FileName(), cafe.string());
  EXPECT_THAT(qoztest::ReadBytes(cafe.string()), HasSubstr("Version=5.0"));
  EXPECT_THAT(qoztest::ReadBytes(cafe.string()), HasSubstr("Grid=No"));
  EXPECT_EQ(settings.Values[QStringLiteral("LastProject")], Q(cafe));
}

// Save As copies the notes' pictures beside the project it was loaded
// from, and never onto themselves.
TEST_F(QOZMainTest, SaveAsCopiesPicturesButNeverOntoThemselves) {
  const fs::path cafe = CopyCafe(dir.Path() / "cafe");
  settings.Values[QStringLiteral("LastProject")] = Q(cafe);
  TQOZMain& main = Start();
  qoztest::WriteBytes((dir.Path() / "elsewhere.png").string(), "picture bytes");
  qoztest::WriteBytes((dir.Path() / "cafe" / "here.png").string(), "kept bytes");
  main.Project().GetNote(0)->SetImageFile((dir.Path() / "elsewhere.png").string());
  main.Project().GetNote(1)->SetImageFile((dir.Path() / "cafe" / "here.png").string());
  dialogs.ExpectSaveFile(std::nullopt);
  main.MI_FileSaveAsClick();
  EXPECT_EQ(qoztest::ReadBytes((dir.Path() / "cafe" / "elsewhere.png").string()), "picture bytes");
  EXPECT_EQ(qoztest::ReadBytes((dir.Path() / "cafe" / "here.png").string()), "kept bytes");
}

}  // namespace

namespace {

// The build details show only for a left click with Ctrl, Shift and Alt
// held, and any click hides them again.
TEST(FrmAbout, TheBuildDetailsShowForTheHeldClickOnlyAndHideAtTheNext) {
  Tfrm_about about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About QOZ"));
  EXPECT_EQ(about.size(), QSize(285, 381));
  EXPECT_EQ(about.BTN_Ok->text(), QStringLiteral("&Ok"));
  EXPECT_EQ(about.SecretPanel->size(), QSize(13, 9));
  const Qt::KeyboardModifiers all = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;
  about.SecretPanelClick(Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(about.BuildInfo->isHidden());
  about.SecretPanelClick(Qt::RightButton, all);
  EXPECT_TRUE(about.BuildInfo->isHidden());
  about.SecretPanelClick(Qt::LeftButton, all);
  EXPECT_FALSE(about.BuildInfo->isHidden());
  about.SecretPanelClick(Qt::RightButton, Qt::NoModifier);
  EXPECT_TRUE(about.BuildInfo->isHidden());
}

TEST(FrmAbout, TheWebSiteOpensThroughTheDesktop) {
  qoztest::TRecordingDesktopShell shell;
  Tfrm_about about;
  about.WebSiteClick();
  EXPECT_THAT(shell.Opened, ElementsAre(QLatin1String(Tfrm_about::kWebSite)));
}

// Three ticks at least, or the next tick after a click.
TEST(StartForm, FinishesAfterThreeTicksOrAtTheTickAfterAClick) {
  TStartForm splash;
  splash.TR_KillTimer->stop();
  EXPECT_EQ(splash.size(), QSize(323, 250));
  EXPECT_EQ(splash.PB_StartUp->size(), QSize(305, 16));
  splash.TR_KillTimerTimer();
  splash.TR_KillTimerTimer();
  EXPECT_FALSE(splash.Finished());
  splash.TR_KillTimerTimer();
  EXPECT_TRUE(splash.Finished());
  TStartForm clicked;
  clicked.TR_KillTimer->stop();
  clicked.FormClick();
  EXPECT_FALSE(clicked.Finished());
  clicked.TR_KillTimerTimer();
  EXPECT_TRUE(clicked.Finished());
}

}  // namespace

namespace {

struct TMenuEntry {
  const char* Caption;  // "-" for a separator
  QKeySequence Shortcut;
};

std::vector<std::pair<std::string, std::string>> Entries(const QMenu* menu) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (const QAction* action : menu->actions()) {
    entries.emplace_back(action->isSeparator() ? "-" : action->text().toStdString(),
                         action->shortcut().toString().toStdString());
  }
  return entries;
}

using TEntries = std::vector<std::pair<std::string, std::string>>;

TEST_F(QOZMainTest, TheMenusHoldTheCommandsInTheirOrderWithTheirShortcuts) {
  TQOZMain& main = Start();
  std::vector<std::string> bar;
  for (const QAction* action : main.menuBar()->actions())
    bar.push_back(action->text().toStdString());
  EXPECT_THAT(bar, ElementsAre("&File", "&Edit", "&Search", "&View", "&Window", "&Help"));
  EXPECT_EQ(Entries(main.MI_File), (TEntries{{"&New", ""},
                                             {"&Open...", ""},
                                             {"&Save...", "Ctrl+S"},
                                             {"Save &As...", ""},
                                             {"&Import", ""},
                                             {"A&uto Save...", ""},
                                             {"-", ""},
                                             {"&Print...", "Ctrl+P"},
                                             {"-", ""},
                                             {"&Exit", ""}}));
  EXPECT_EQ(Entries(main.MI_Edit),
            (TEntries{{"New &Note...", "Ctrl+N"}, {"New &Sheet...", "Ctrl+W"}}));
  EXPECT_EQ(Entries(main.MI_Search), (TEntries{{"&Global...", "Ctrl+F"},
                                               {"&Notes...", ""},
                                               {"&Sheets...", ""},
                                               {"&Attachments...", ""}}));
  EXPECT_EQ(Entries(main.MI_View), (TEntries{{"Zoom &In", "Ctrl+I"},
                                             {"Zoom &Out", "Ctrl+U"},
                                             {"-", ""},
                                             {"&Relation types...", "Ctrl+R"}}));
  EXPECT_EQ(Entries(main.MI_Window),
            (TEntries{{"&Cascade", ""}, {"&Tile", ""}, {"&Fit to screen", ""}}));
  EXPECT_EQ(Entries(main.MI_Help), (TEntries{{"&Contents", ""}, {"-", ""}, {"&About", ""}}));
  const std::pair<QAction*, const char*> hints[] = {{main.TB_new, "New Project"},
                                                    {main.TB_Open, "Open Project"},
                                                    {main.TB_Save, "Save Project"},
                                                    {main.tbImport, "Import File"},
                                                    {main.tbAutoSave, "Auto Save"},
                                                    {main.TB_Print, "Print the active sheet"},
                                                    {main.TB_Exit, "Exit QOZ"},
                                                    {main.TB_NewNote, "New Note"},
                                                    {main.TB_NewSheet, "New Sheet"},
                                                    {main.TB_Search, "Search"},
                                                    {main.TB_ZoomIn, "Zoom in"},
                                                    {main.TB_ZoomOut, "Zoom out"},
                                                    {main.TB_Relations, "Relation types"},
                                                    {main.TB_Cascade, "Cascade Windows"},
                                                    {main.TB_Tile, "Tile Windows"},
                                                    {main.TB_FitToScreen, "Fit to screen"},
                                                    {main.ToolButton15, "help"}};
  for (const auto& [button, hint] : hints) EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint));
  EXPECT_EQ(main.CB_Zoom->toolTip(), QStringLiteral("Zoom Percentage"));
  EXPECT_EQ(main.PN_NewNote->toolTip(), QStringLiteral("Drag and Drop On Sheet"));
  EXPECT_EQ(main.IL_Nav.Count(), 9);
}

TEST_F(QOZMainTest, TheNewItemCommandsAddTheirItemsAndTellTheWindows) {
  TQOZMain& main = Start();
  std::vector<TPoolItem*> added;
  QObject::connect(&main, &TQOZMain::ItemAdded, [&](TPoolItem* item) { added.push_back(item); });
  main.TB_NewNoteClick();
  main.TB_NewSheetClick();
  ASSERT_EQ(main.Project().NoteCount(), 1);
  ASSERT_EQ(main.Project().SheetCount(), 1);
  EXPECT_EQ(main.Project().GetNote(0)->Title(), "New Note");
  EXPECT_THAT(added, ElementsAre(static_cast<TPoolItem*>(main.Project().GetNote(0)),
                                 static_cast<TPoolItem*>(main.Project().GetSheet(0))));
}

// A press on the new-note tile and a move of the drag distance drag a note
// still to be made.
TEST_F(QOZMainTest, TheNewNoteTileStartsTheDragOfANewNote) {
  TQOZMain& main = Start();
  qoztest::TRecordingDragLauncher drags;
  const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button,
                        Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), main.PN_NewNote->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(main.PN_NewNote, &event);
  };
  send(QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, {5, 4}, Qt::NoButton, Qt::LeftButton);
  EXPECT_THAT(drags.Sources, IsEmpty());
  send(QEvent::MouseMove, {4 + QApplication::startDragDistance(), 4}, Qt::NoButton, Qt::LeftButton);
  ASSERT_THAT(drags.Sources, ElementsAre(main.PN_NewNote));
  EXPECT_NE(dynamic_cast<const TDragNewNote*>(drags.Last.get()), nullptr);
  EXPECT_EQ(main.Project().NoteCount(), 0) << "the note is made where it is dropped";
}

TEST_F(QOZMainTest, HelpContentsOpensTheShippedPageAndAboutShowsTheBox) {
  TQOZMain& main = Start();
  qoztest::TRecordingDesktopShell shell;
  main.MI_HelpContentsClick();
  ASSERT_EQ(shell.Opened.size(), 1u);
  EXPECT_TRUE(shell.Opened[0].endsWith(QStringLiteral("help/index.html")));
  EXPECT_TRUE(QFileInfo::exists(shell.Opened[0]));
  bool shown = false;
  dialogs.ExpectModal([&](QDialog& dialog) {
    shown = &dialog == main.AboutBox;
    return int(QDialog::Accepted);
  });
  main.MI_HelpAboutClick();
  EXPECT_TRUE(shown);
}

}  // namespace

namespace {

// The navigator shows the project from the start, hears of every new item,
// and opening a sheet from it puts the navigator at the left, its panel
// hidden, with the sheet window beside it.
TEST_F(QOZMainTest, TheNavigatorFollowsTheProjectAndOpensSheetsBesideIt) {
  TQOZMain& main = Start();
  main.show();
  TNavForm& navigator = *main.Navigator;
  ASSERT_NE(navigator.Tree->ProjectNode, nullptr);
  EXPECT_EQ(navigator.Tree->ProjectNode->text(0), QStringLiteral("Noname.qoz"));
  main.TB_NewSheetClick();
  ASSERT_EQ(navigator.Tree->SheetsNode->childCount(), 1);
  navigator.TV_Container->setCurrentItem(navigator.Tree->SheetsNode->child(0));
  navigator.TV_ContainerClick();
  ASSERT_EQ(main.SheetWindows().size(), 1);
  EXPECT_FALSE(navigator.PropertiesVisible());
  EXPECT_EQ(main.NavigatorWindow->pos(), QPoint(0, 0));
  QMdiSubWindow* sheetWindow = main.MdiArea->subWindowList().at(1);
  EXPECT_EQ(sheetWindow->x(), main.NavigatorWindow->width());
  navigator.TV_ContainerClick();
  EXPECT_EQ(main.SheetWindows().size(), 1) << "an open sheet is not opened again";

  dialogs.ExpectMessage(TMessageAnswer::Yes);
  dialogs.ExpectMessage(TMessageAnswer::No);
  main.TB_NewClick();
  EXPECT_EQ(navigator.Tree->SheetsNode->childCount(), 0) << "the new project's tree";
}

// A sheet that cannot be shown (its zoomed size leaves the integer range)
// gives the navigator's message, and no half-made window stays.
TEST_F(QOZMainTest, ASheetThatCannotBeShownLeavesNoWindow) {
  TQOZMain& main = Start();
  main.TB_NewSheetClick();
  TSheetItem* sheet = main.Project().GetSheet(0);
  sheet->SetWidth(std::numeric_limits<std::int32_t>::max());
  sheet->SetZoom(200);
  TNavForm& navigator = *main.Navigator;
  navigator.TV_Container->setCurrentItem(navigator.Tree->SheetsNode->child(0));
  dialogs.ExpectMessage(TMessageAnswer::Ok);
  navigator.MI_OpenClick();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_TRUE(dialogs.Messages().front().startsWith(
      QStringLiteral("Your system is too low on memory to open another sheet.")));
  EXPECT_TRUE(main.SheetWindows().isEmpty());
  EXPECT_EQ(main.MdiArea->subWindowList().size(), 1) << "the navigator alone";
}

TEST_F(QOZMainTest, SheetWindowsFollowTheirSheetAndTheZoomCommands) {
  TQOZMain& main = Start();
  main.TB_NewSheetClick();
  main.TB_NewSheetClick();
  TSheetItem* first = main.Project().GetSheet(0);
  TSheetItem* second = main.Project().GetSheet(1);
  TDrawSheet* firstWindow = main.OpenSheetWindow(first);
  main.OpenSheetWindow(second);
  EXPECT_TRUE(main.IsSheetOpen(first));
  EXPECT_EQ(main.SheetWindows().size(), 2);
  EXPECT_EQ(main.CB_Zoom->currentText(), QStringLiteral("80%"));  // a new sheet's zoom

  // The navigator is the first child window, the sheet windows follow.
  ASSERT_EQ(main.MdiArea->subWindowList().size(), 3);
  EXPECT_EQ(main.MdiArea->subWindowList().at(0), main.NavigatorWindow);
  main.MdiArea->setActiveSubWindow(main.MdiArea->subWindowList().at(1));
  ASSERT_EQ(main.ActiveSheetWindow(), firstWindow);
  main.MI_ViewZoomInClick();
  EXPECT_EQ(first->Zoom(), 90);
  EXPECT_EQ(main.CB_Zoom->currentText(), QStringLiteral("100%"));
  main.CB_Zoom->setCurrentIndex(5);
  main.CB_ZoomChange();
  EXPECT_EQ(first->Zoom(), 20);
  EXPECT_EQ(second->Zoom(), 80);

  first->Delete();
  main.RefreshSheetWindows();
  EXPECT_TRUE(main.IsSheetOpen(second));
  EXPECT_EQ(main.SheetWindows().size(), 1);

  dialogs.ExpectMessage(TMessageAnswer::Yes);
  dialogs.ExpectMessage(TMessageAnswer::No);
  main.TB_NewClick();  // the old project's windows go with it
  EXPECT_TRUE(main.SheetWindows().isEmpty());
}

}  // namespace
