#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>

// The paint surface of a sheet window: as large as the zoomed sheet, it
// shows the image of its visible part at that part's place. Before it paints
// it asks its owner to bring the image up to date.
class TPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit TPaintBox(QWidget* parent = nullptr);

  // image (not owned) shows the surface from origin on.
  void Show(const QImage* image, QPoint origin);
  // Called at the start of every paint event.
  std::function<void()> OnPaint;
  // Called for a right click, with the point in the surface's pixels.
  std::function<void(QPoint local, QPoint global)> OnContextMenu;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  const QImage* image_ = nullptr;
  QPoint origin_;
};
