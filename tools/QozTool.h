#pragma once

#include <QStringList>

#include <iosfwd>

// The command-line companion: works on project files without a window.
// Every command answers 0 on success and 1, with the error's message on the
// error stream, when the project does not load or the command fails.
class TQozTool {
 public:
  TQozTool(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  int Run(const QStringList& arguments);

 private:
  int Info(const QString& project);
  int Check(const QString& project);
  int Resave(const QString& input, const QString& output);
  int Dump(const QString& project);
  struct TRenderRequest {
    QString Sheet;
    QString Zoom;  // empty: the sheet's own zoom
    QString Out;
    bool Grid = false;
  };
  int Render(const QString& project, const TRenderRequest& request);

  std::ostream& out_;
  std::ostream& err_;
};
