#include "tools/QozTool.h"

#include "base/Convert.h"
#include "base/QozError.h"
#include "project/Container.h"
#include "model/SheetItem.h"
#include "tools/ProjectDump.h"
#include "tools/SheetImage.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <ostream>

namespace {

const char* const kUsage =
    "Commands:\n"
    "  info P.qoz                 counts of the items in each pool\n"
    "  check P.qoz                load the project; exit 1 with the error when it fails\n"
    "  resave IN.qoz OUT.qoz      load IN and save it as OUT\n"
    "  dump --json P.qoz          every item as JSON (UTF-8, references as indices)\n"
    "  render P.qoz --sheet N --zoom Z --out F.png [--grid]\n"
    "                             draw sheet N (its index, from 0) at Z percent as a PNG;\n"
    "                             the zoom defaults to the sheet's own, the sheet to 0\n";

std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace

int TQozTool::Run(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Works on QOZ project files without a window."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("command"),
                               QStringLiteral("info, check, resave or dump"));
  const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("dump: write JSON"));
  const QCommandLineOption sheet(QStringLiteral("sheet"),
                                 QStringLiteral("render: index of the sheet in the project"),
                                 QStringLiteral("N"), QStringLiteral("0"));
  const QCommandLineOption zoom(QStringLiteral("zoom"), QStringLiteral("render: zoom in percent"),
                                QStringLiteral("Z"));
  const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("render: the PNG to write"),
                               QStringLiteral("F.png"));
  const QCommandLineOption grid(QStringLiteral("grid"), QStringLiteral("render: draw the grid"));
  parser.addOptions({json, sheet, zoom, out, grid});
  if (!parser.parse(arguments)) {
    err_ << Local(parser.errorText()) << "\n" << kUsage;
    return 1;
  }
  if (parser.isSet(QStringLiteral("help"))) {
    out_ << Local(parser.helpText()) << "\n" << kUsage;
    return 0;
  }
  const QStringList args = parser.positionalArguments();
  const QString command = args.value(0);
  try {
    if (command == QStringLiteral("info") && args.size() == 2) return Info(args[1]);
    if (command == QStringLiteral("check") && args.size() == 2) return Check(args[1]);
    if (command == QStringLiteral("resave") && args.size() == 3) return Resave(args[1], args[2]);
    if (command == QStringLiteral("dump") && args.size() == 2 && parser.isSet(json)) {
      return Dump(args[1]);
    }
    if (command == QStringLiteral("render") && args.size() == 2 && parser.isSet(out)) {
      return Render(args[1], TRenderRequest{parser.value(sheet), parser.value(zoom),
                                            parser.value(out), parser.isSet(grid)});
    }
  } catch (const EQozError& error) {
    err_ << error.what() << "\n";
    return 1;
  } catch (const std::exception& error) {
    err_ << "qoztool: " << error.what() << "\n";
    return 1;
  }
  err_ << (command.isEmpty() ? std::string("qoztool: no command given")
                             : "qoztool: wrong use of '" + Local(command) + "'")
       << "\n"
       << kUsage;
  return 1;
}

int TQozTool::Info(const QString& project) {
  TContainer container;
  container.OpenProject(Local(project));
  out_ << "sheets: " << container.SheetCount() << "\n"
       << "notes: " << container.NoteCount() << "\n"
       << "relations: " << container.RelationCount() << "\n"
       << "positions: " << container.PositionCount() << "\n"
       << "attachments: " << container.AttachmentCount() << "\n"
       << "links: " << container.LinkCount() << "\n";
  return 0;
}

int TQozTool::Check(const QString& project) {
  TContainer container;
  container.OpenProject(Local(project));
  out_ << Local(project) << ": OK\n";
  return 0;
}

int TQozTool::Resave(const QString& input, const QString& output) {
  TContainer container;
  container.OpenProject(Local(input));
  container.SaveProject(Local(output));
  return 0;
}

int TQozTool::Dump(const QString& project) {
  TContainer container;
  container.OpenProject(Local(project));
  out_ << TProjectDump::ToJson(container, Local(project)).dump(2) << "\n";
  return 0;
}

int TQozTool::Render(const QString& project, const TRenderRequest& request) {
  TContainer container;
  container.OpenProject(Local(project));
  const std::int32_t index = StrToInt(Local(request.Sheet));
  if (index < 0 || index >= container.SheetCount()) {
    err_ << "qoztool: there is no sheet " << index << " in " << Local(project) << " (it has "
         << container.SheetCount() << (container.SheetCount() == 1 ? " sheet" : " sheets")
         << ", numbered from 0)\n";
    return 1;
  }
  TSheetItem& sheet = *container.GetSheet(index);
  const std::int32_t zoom = request.Zoom.isEmpty() ? sheet.Zoom() : StrToInt(Local(request.Zoom));
  const QImage image = TSheetImage::Render(container, sheet, zoom, request.Grid);
  if (!image.save(request.Out, "PNG")) {
    err_ << "qoztool: could not write the picture to " << Local(request.Out) << "\n";
    return 1;
  }
  out_ << Local(request.Out) << ": sheet " << index << " at " << zoom << "%, " << image.width()
       << " x " << image.height() << " pixels\n";
  return 0;
}
