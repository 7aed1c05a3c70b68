#pragma once

#include <QIcon>
#include <QList>

// Icons addressed by index, shared by the windows that show items: an index
// stands for the same kind of item everywhere. Indices past the end give a
// null icon.
class TImageList {
 public:
  int Add(const QIcon& icon) {
    icons_.append(icon);
    return static_cast<int>(icons_.size()) - 1;
  }
  QIcon Icon(int index) const { return index >= 0 && index < icons_.size() ? icons_[index] : QIcon(); }
  int Count() const { return static_cast<int>(icons_.size()); }
  // Drops every icon from index on (the file icons appended at run time).
  void CutBackTo(int count) {
    if (count >= 0 && count < icons_.size()) icons_.resize(count);
  }

 private:
  QList<QIcon> icons_;
};
