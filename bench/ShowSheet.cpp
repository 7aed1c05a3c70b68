// Opens one sheet of a project in a sheet window of its own, for trying the
// window by hand before the navigator that opens sheets exists:
//   qoz_show_sheet P.qoz [sheet index [zoom]]

#include "base/QozError.h"
#include "model/SheetItem.h"
#include "project/Container.h"
#include "sheetwindow/SheetForm.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::cerr << "usage: qoz_show_sheet P.qoz [sheet index [zoom]]\n";
    return 1;
  }
  TContainer project;
  try {
    project.OpenProject(argv[1]);
  } catch (const EQozError& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  const int index = argc > 2 ? std::atoi(argv[2]) : 0;
  if (index < 0 || index >= project.SheetCount()) {
    std::cerr << "qoz_show_sheet: there is no sheet " << index << "\n";
    return 1;
  }
  TSheetItem* sheet = project.GetSheet(index);
  if (argc > 3) sheet->SetZoom(std::atoi(argv[3]));
  TDrawSheet window;
  window.resize(900, 620);
  window.OpenSheet(&project, sheet);
  window.show();
  return QApplication::exec();
}
