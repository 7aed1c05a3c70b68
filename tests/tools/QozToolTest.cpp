#include "support/TestSupport.h"
#include "tools/QozTool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <QImage>
#include <QStringList>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using qoztest::Fixture;
using qoztest::ReadBytes;
using qoztest::TTempDir;
using qoztest::WriteBytes;

struct TRun {
  int ExitCode;
  std::string Out;
  std::string Err;
};

TRun RunTool(const std::vector<std::string>& arguments) {
  QStringList args{QStringLiteral("qoztool")};
  for (const std::string& argument : arguments) args << QString::fromStdString(argument);
  std::ostringstream out;
  std::ostringstream err;
  const int code = TQozTool(out, err).Run(args);
  return {code, out.str(), err.str()};
}

const std::string kCafe = Fixture("tools/cafe/c.qoz");
const char* const kDataFiles[] = {"c_Sht.dat", "c_Not.dat", "c_Rel.dat",
                                  "c_Pos.dat", "c_Att.dat", "c_Lnk.dat"};

TEST(ToolsQozTool, InfoCountsEveryPool) {
  const TRun run = RunTool({"info", kCafe});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "sheets: 2\nnotes: 2\nrelations: 2\npositions: 2\nattachments: 1\nlinks: 1\n");
}

// The dump is read by other programs: keys in pool order, texts in UTF-8 with
// line breaks as in memory, references as indices, flags as booleans.
TEST(ToolsQozTool, DumpWritesEveryItemAsJson) {
  const TRun run = RunTool({"dump", "--json", kCafe});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const auto dump = nlohmann::ordered_json::parse(run.Out);

  std::vector<std::string> keys;
  for (const auto& [key, value] : dump.items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"projectFile", "showGrid", "sheets", "notes",
                                            "relations", "positions", "attachments", "links"}));
  EXPECT_EQ(dump["projectFile"], kCafe);
  EXPECT_EQ(dump["showGrid"], true);

  EXPECT_EQ(dump["sheets"][0],
            nlohmann::ordered_json::parse(R"({"title":"Plan","color":16777215,"width":1000,
              "height":800,"zoom":80,"gridSize":10,"spareInt":1,"description":"a\r\nb"})"));
  EXPECT_EQ(dump["sheets"][1]["title"], "Caf\u00e9 sheet");
  EXPECT_EQ(dump["notes"][0], nlohmann::ordered_json::parse(R"({"title":"Caf\u00e9",
              "imageFile":"pic.png","logoFile":"logo.png","kind":-1,"width":80,"height":50,
              "color":65535,"spareInt1":16,"logoPos":4,"spareFlag":false,"spareInt2":10,
              "text":"{\\rtf1 x}\r\ny","sheet":-1})"));
  EXPECT_EQ(dump["notes"][1]["sheet"], 1);  // an aggregation note names its sheet
  EXPECT_EQ(dump["relations"][1],
            nlohmann::ordered_json::parse(R"({"name":"\u20ac costs","spareInt":7})"));
  EXPECT_EQ(dump["positions"][1],
            nlohmann::ordered_json::parse(R"({"note":1,"sheet":0,"x":200,"y":-1})"));
  EXPECT_EQ(dump["attachments"][0], nlohmann::ordered_json::parse(R"({"note":0,"title":"Site",
              "fileName":"http://example.org","extraText":"p\r\nq","isURL":true})"));
  EXPECT_EQ(dump["links"][0], nlohmann::ordered_json::parse(R"({"sheet":0,"from":1,"to":0,
              "relation":1,"ctrl1X":10,"ctrl1Y":20,"ctrl2X":-5,"ctrl2Y":-6,"arrowStyle":2,
              "width":3,"color":255,"lineStyle":0,"spareInt":9})"));
}

TEST(ToolsQozTool, ResaveWritesTheSameProjectUnderANewName) {
  TTempDir dir;
  const TRun run = RunTool({"resave", kCafe, dir.File("c.qoz")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  for (const char* name : kDataFiles) {
    EXPECT_EQ(ReadBytes(dir.File(name)), ReadBytes(Fixture(std::string("tools/cafe/") + name)))
        << name;
  }
  EXPECT_EQ(ReadBytes(dir.File("c.qoz")), "[QOZ]\r\nVersion=5.0\r\n[DEFAULTS]\r\nGrid=No\r\n");
}

// Every command reports a project that does not load the same way: exit 1
// and the error's own message, naming the file and the line.
TEST(ToolsQozTool, EveryCommandFailsWithTheLoadError) {
  TTempDir dir;
  qoztest::CopyFixtureFolder("tools/cafe", dir.Path());
  WriteBytes(dir.File("c_Pos.dat"),
             "0\xFF"
             "5\xFF"
             "0\xFF"
             "1\xFF"
             "1\r\n");
  const std::string project = dir.File("c.qoz");
  const std::vector<std::vector<std::string>> commands = {{"check", project},
                                                          {"info", project},
                                                          {"dump", "--json", project},
                                                          {"resave", project, dir.File("out.qoz")}};
  for (const auto& command : commands) {
    const TRun run = RunTool(command);
    EXPECT_EQ(run.ExitCode, 1) << command[0];
    EXPECT_EQ(run.Out, "") << command[0];
    EXPECT_NE(run.Err.find("c_Pos.dat\", line 1: NoteID 5 refers to no note"), std::string::npos)
        << command[0] << ": " << run.Err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.qoz")));
}

TEST(ToolsQozTool, CheckSaysOkForAGoodProject) {
  const TRun run = RunTool({"check", kCafe});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out, kCafe + ": OK\n");
}

TEST(ToolsQozTool, WrongUseShowsTheCommands) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                               {"frobnicate", kCafe},
                                               {"dump", kCafe},
                                               {"info"},
                                               {"resave", kCafe}}) {
    const TRun run = RunTool(args);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("dump --json P.qoz"), std::string::npos) << run.Err;
  }
  const TRun help = RunTool({"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_NE(help.Out.find("resave IN.qoz OUT.qoz"), std::string::npos);
}

// Sheet "Plan" is 1000 x 800 and white, with the yellow note "Café" at
// (10, 20) sized 80 x 50 and the grid at 10 units.
TEST(ToolsQozTool, RenderDrawsTheWholeSheetAtTheZoom) {
  const TTempDir dir;
  const std::string plain = (dir.Path() / "plain.png").string();
  const std::string gridded = (dir.Path() / "grid.png").string();
  const TRun run = RunTool({"render", kCafe, "--sheet", "0", "--zoom", "50", "--out", plain});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, plain + ": sheet 0 at 50%, 500 x 400 pixels\n");
  ASSERT_EQ(RunTool({"render", kCafe, "--zoom", "50", "--out", gridded, "--grid"}).ExitCode, 0);

  const QImage image(QString::fromStdString(plain));
  const QImage grid(QString::fromStdString(gridded));
  ASSERT_EQ(image.size(), QSize(500, 400));
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));        // the outline
  EXPECT_EQ(image.pixel(499, 399), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(250, 300), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(40, 30), qRgb(255, 255, 0));  // inside the note, right of its title
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(grid.pixel(5, 5), qRgb(0, 0, 0));         // the dot at world (10, 10)
  EXPECT_EQ(grid.pixel(250, 300), qRgb(0, 0, 0));
  EXPECT_EQ(grid.pixel(251, 300), qRgb(255, 255, 255));
}

TEST(ToolsQozTool, RenderRefusesASheetThatIsNotThereAndABadZoom) {
  const TTempDir dir;
  const std::string out = (dir.Path() / "x.png").string();
  const TRun missing = RunTool({"render", kCafe, "--sheet", "2", "--out", out});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Err, "qoztool: there is no sheet 2 in " + kCafe +
                             " (it has 2 sheets, numbered from 0)\n");
  const TRun zero = RunTool({"render", kCafe, "--zoom", "0", "--out", out});
  EXPECT_EQ(zero.ExitCode, 1);
  EXPECT_EQ(zero.Err, "The zoom must be a positive percentage, not 0\n");
  const TRun unwritable = RunTool({"render", kCafe, "--out", (dir.Path() / "no/x.png").string()});
  EXPECT_EQ(unwritable.ExitCode, 1);
  EXPECT_NE(unwritable.Err.find("could not write the picture to"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
