#include "shell/QOZIcons.h"

#include "platform/ImageList.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <functional>

namespace {

constexpr int kIconSize = 32;
const QColor kInk(40, 44, 52);
const QColor kNoteYellow(255, 226, 110);
const QColor kSheetBlue(120, 170, 230);
const QColor kPaper(250, 250, 246);
const QColor kGreen(70, 160, 90);
const QColor kRed(200, 60, 50);

QIcon Painted(const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  paint(painter);
  return QIcon(pixmap);
}

void Page(QPainter& p, const QColor& fill) {
  p.setBrush(fill);
  p.drawPolygon(QPolygonF({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}}));
  p.drawPolyline(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
}

void Sheet(QPainter& p) {
  p.setBrush(kPaper);
  p.drawRect(QRectF(4, 6, 24, 20));
  p.setPen(QPen(kSheetBlue, 1.5));
  for (int x = 10; x < 28; x += 6) p.drawLine(QPointF(x, 7), QPointF(x, 25));
  for (int y = 12; y < 26; y += 6) p.drawLine(QPointF(5, y), QPointF(27, y));
}

void Note(QPainter& p, const QColor& fill) {
  p.setBrush(fill);
  p.drawRect(QRectF(5, 8, 22, 16));
  p.drawLine(QPointF(9, 13), QPointF(22, 13));
  p.drawLine(QPointF(9, 18), QPointF(18, 18));
}

void Clip(QPainter& p) {
  QPainterPath path;
  path.moveTo(12, 26);
  path.lineTo(12, 9);
  path.arcTo(QRectF(12, 4, 8, 8), 180, -180);
  path.lineTo(20, 24);
  path.arcTo(QRectF(15, 21, 5, 6), 0, -180);
  path.lineTo(15, 11);
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void Magnifier(QPainter& p) {
  p.setBrush(kPaper);
  p.drawEllipse(QRectF(5, 5, 16, 16));
  p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(19, 19), QPointF(27, 27));
  p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QLineF back(to, from);
  QLineF wing = back;
  wing.setLength(6);
  wing.setAngle(back.angle() + 35);
  p.drawLine(wing);
  wing.setAngle(back.angle() - 35);
  p.drawLine(wing);
}

void Windows(QPainter& p, const QList<QRectF>& frames) {
  for (const QRectF& frame : frames) {
    p.setBrush(kPaper);
    p.drawRect(frame);
    p.fillRect(QRectF(frame.left() + 1, frame.top() + 1, frame.width() - 1, 4), kSheetBlue);
  }
}

}  // namespace

void TQOZIcons::FillNavIcons(TImageList& list) {
  list.Add(Painted([](QPainter& p) {  // the project: a folder of sheets
    p.setBrush(kNoteYellow.darker(110));
    p.drawPolygon(QPolygonF({{3, 9}, {12, 9}, {15, 12}, {29, 12}, {29, 27}, {3, 27}}));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 15, 16, 9));
  }));
  list.Add(Painted(Sheet));
  list.Add(Painted([](QPainter& p) { Note(p, kNoteYellow); }));
  list.Add(Painted(Clip));
  list.Add(Painted([](QPainter& p) {  // a note placed on its sheet
    Note(p, kNoteYellow);
    p.setBrush(kGreen);
    p.setPen(QPen(kGreen.darker(140), 1.5));
    p.drawEllipse(QRectF(19, 18, 11, 11));
  }));
  list.Add(Painted([](QPainter& p) {  // hide the property panel
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 5, 24, 22));
    p.fillRect(QRectF(17, 6, 10, 20), kSheetBlue);
    Arrow(p, QPointF(8, 16), QPointF(15, 16));
  }));
  list.Add(Painted([](QPainter& p) {  // show the property panel
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 5, 24, 22));
    p.fillRect(QRectF(17, 6, 10, 20), kSheetBlue);
    Arrow(p, QPointF(15, 16), QPointF(8, 16));
  }));
  list.Add(Painted([](QPainter& p) {  // collapse the tree
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 6, 20, 20));
    p.drawLine(QPointF(11, 16), QPointF(21, 16));
  }));
  list.Add(Painted([](QPainter& p) {  // open the active sheet
    Sheet(p);
    p.setPen(QPen(kRed, 2.5, Qt::SolidLine, Qt::RoundCap));
    Arrow(p, QPointF(6, 28), QPointF(18, 16));
  }));
}

void TQOZIcons::FillMainIcons(TImageList& list) {
  list.Add(Painted([](QPainter& p) { Page(p, kPaper); }));  // new
  list.Add(Painted([](QPainter& p) {                        // open
    p.setBrush(kNoteYellow.darker(110));
    p.drawPolygon(QPolygonF({{3, 8}, {12, 8}, {15, 11}, {27, 11}, {27, 26}, {3, 26}}));
    p.setBrush(kNoteYellow);
    p.drawPolygon(QPolygonF({{3, 26}, {8, 15}, {30, 15}, {27, 26}}));
  }));
  list.Add(Painted([](QPainter& p) {  // save
    p.setBrush(kSheetBlue);
    p.drawRect(QRectF(5, 5, 22, 22));
    p.setBrush(kPaper);
    p.drawRect(QRectF(10, 5, 12, 8));
    p.drawRect(QRectF(9, 18, 14, 9));
  }));
  list.Add(Painted([](QPainter& p) {  // import
    Page(p, kPaper);
    p.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::RoundCap));
    Arrow(p, QPointF(2, 18), QPointF(17, 18));
  }));
  list.Add(Painted([](QPainter& p) {  // auto save: a clock
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(4, 4, 24, 24));
    p.drawLine(QPointF(16, 16), QPointF(16, 8));
    p.drawLine(QPointF(16, 16), QPointF(22, 19));
  }));
  list.Add(Painted([](QPainter& p) {  // print
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4, 12, 24, 11));
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 9));
  }));
  list.Add(Painted([](QPainter& p) {  // exit: a door
    p.setBrush(QColor(170, 120, 80));
    p.drawRect(QRectF(7, 4, 15, 24));
    p.setPen(QPen(kRed, 2.5, Qt::SolidLine, Qt::RoundCap));
    Arrow(p, QPointF(16, 16), QPointF(29, 16));
  }));
  list.Add(Painted([](QPainter& p) {  // new note
    Note(p, kNoteYellow);
    p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25, 2), QPointF(25, 12));
    p.drawLine(QPointF(20, 7), QPointF(30, 7));
  }));
  list.Add(Painted([](QPainter& p) {  // new sheet
    Sheet(p);
    p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25, 1), QPointF(25, 11));
    p.drawLine(QPointF(20, 6), QPointF(30, 6));
  }));
  list.Add(Painted(Magnifier));  // search
  list.Add(Painted([](QPainter& p) {  // zoom in
    Magnifier(p);
    p.drawLine(QPointF(9, 13), QPointF(17, 13));
    p.drawLine(QPointF(13, 9), QPointF(13, 17));
  }));
  list.Add(Painted([](QPainter& p) {  // zoom out
    Magnifier(p);
    p.drawLine(QPointF(9, 13), QPointF(17, 13));
  }));
  list.Add(Painted([](QPainter& p) {  // relation types: two notes linked
    p.setBrush(kNoteYellow);
    p.drawRect(QRectF(2, 4, 12, 9));
    p.drawRect(QRectF(18, 19, 12, 9));
    p.setBrush(Qt::NoBrush);
    QPainterPath curve(QPointF(8, 13));
    curve.cubicTo(QPointF(8, 24), QPointF(24, 8), QPointF(24, 19));
    p.drawPath(curve);
  }));
  list.Add(Painted([](QPainter& p) {  // cascade
    Windows(p, {QRectF(3, 3, 17, 13), QRectF(8, 9, 17, 13), QRectF(13, 15, 16, 13)});
  }));
  list.Add(Painted([](QPainter& p) {  // tile
    Windows(p, {QRectF(3, 4, 12, 11), QRectF(17, 4, 12, 11), QRectF(3, 17, 12, 11),
                QRectF(17, 17, 12, 11)});
  }));
  list.Add(Painted([](QPainter& p) {  // fit to screen
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 4, 24, 24));
    Arrow(p, QPointF(16, 16), QPointF(8, 8));
    Arrow(p, QPointF(16, 16), QPointF(24, 24));
  }));
  list.Add(Painted([](QPainter& p) {  // help
    p.setBrush(kSheetBlue);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
  }));
}

QPixmap TQOZIcons::Logo(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(QColor(246, 248, 252));
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size.width() / 305.0, size.height() / 169.0);
  p.setPen(QPen(QColor(60, 90, 150), 3));
  p.setBrush(Qt::NoBrush);
  QPainterPath link(QPointF(75, 55));
  link.cubicTo(QPointF(140, 10), QPointF(170, 120), QPointF(232, 75));
  p.drawPath(link);
  p.setBrush(QColor(60, 90, 150));
  p.drawEllipse(QRectF(100, 36, 8, 8));
  p.setPen(QPen(kInk, 2));
  p.setBrush(kNoteYellow);
  p.drawRect(QRectF(28, 30, 82, 50));
  p.setBrush(QColor(140, 220, 240));
  p.drawRect(QRectF(200, 52, 80, 50));
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(46);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRectF(0, 108, 305, 56), Qt::AlignCenter, QStringLiteral("QOZ"));
  return pixmap;
}
