// Writes a generated project with one drawing sheet, for trying the windows
// and the renderer by hand:
//   qoz_sample_project OUT.qoz [notes [links [width height]]]
// Its picture and logo files are written beside the project.

#include "bench/ProjectGenerator.h"

#include "base/QozError.h"
#include "project/Container.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

void WritePictures(const std::filesystem::path& picture, const std::filesystem::path& logo) {
  QImage image(240, 160, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.fillRect(image.rect(), QColor(70, 130, 180));
  painter.fillRect(QRect(0, 110, 240, 50), QColor(60, 160, 70));
  painter.setBrush(QColor(250, 220, 120));
  painter.drawEllipse(QRect(170, 15, 45, 45));
  painter.end();
  image.save(QString::fromStdString(picture.string()));
  QImage mark(32, 32, QImage::Format_ARGB32);
  mark.fill(Qt::transparent);
  QPainter markPainter(&mark);
  markPainter.setBrush(QColor(200, 30, 30));
  markPainter.drawEllipse(QRect(2, 2, 28, 28));
  markPainter.end();
  mark.save(QString::fromStdString(logo.string()));
}

std::int32_t Argument(int argc, char** argv, int index, std::int32_t otherwise) {
  return argc > index ? std::atoi(argv[index]) : otherwise;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: qoz_sample_project OUT.qoz [notes [links [width height]]]\n";
    return 1;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const std::filesystem::path project = std::filesystem::absolute(argv[1]);
  TDrawingShape shape;
  shape.Notes = Argument(argc, argv, 2, 18);
  shape.Links = Argument(argc, argv, 3, 16);
  shape.Width = Argument(argc, argv, 4, 1400);
  shape.Height = Argument(argc, argv, 5, 900);
  shape.PictureEvery = 4;
  shape.PictureFile = (project.parent_path() / "picture.png").string();
  shape.LogoFile = (project.parent_path() / "logo.png").string();
  try {
    std::filesystem::create_directories(project.parent_path());
    WritePictures(shape.PictureFile, shape.LogoFile);
    TContainer container;
    TProjectGenerator(TProjectShape{}).BuildDrawing(container, shape);
    container.SaveProject(project.string());
  } catch (const std::exception& error) {
    std::cerr << "qoz_sample_project: " << error.what() << "\n";
    return 1;
  }
  std::cout << project.string() << "\n";
  return 0;
}
