#pragma once

#include <QMimeData>
#include <QString>

#include <memory>

class TDragObject;

// Carries a drag object through a QDrag from one window of the application
// to another. It owns the object, and the QDrag owns it.
class TDragMimeData : public QMimeData {
 public:
  // The format a drag of ours announces; it holds no bytes of its own.
  static QString Format();

  explicit TDragMimeData(std::unique_ptr<TDragObject> object);
  ~TDragMimeData() override;

  TDragObject* Object() const { return object_.get(); }
  // The drag object data carries; nullptr for a drag from another program.
  static TDragObject* ObjectOf(const QMimeData* data);

 private:
  std::unique_ptr<TDragObject> object_;
};
