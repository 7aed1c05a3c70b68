#include "tools/QozTool.h"

#include "base/QozError.h"
#include "project/Container.h"
#include "tools/ProjectDump.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <ostream>

namespace {

const char* const kUsage =
    "Commands:\n"
    "  info P.qoz                 counts of the items in each pool\n"
    "  check P.qoz                load the project; exit 1 with the error when it fails\n"
    "  resave IN.qoz OUT.qoz      load IN and save it as OUT\n"
    "  dump --json P.qoz          every item as JSON (UTF-8, references as indices)\n";

std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace

int TQozTool::Run(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Works on QOZ project files without a window."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("command"),
                               QStringLiteral("info, check, resave or dump"));
  const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("dump: write JSON"));
  parser.addOption(json);
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
