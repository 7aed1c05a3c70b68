#pragma once

#include <QWidget>

class QLabel;

// The small window shown while a project is saved: "Please Wait...".
// It stays on top and blocks nothing.
class TSaveLoadFrm : public QWidget {
  Q_OBJECT

 public:
  explicit TSaveLoadFrm(QWidget* parent = nullptr);

  QLabel* OuterPanel = nullptr;
  QLabel* InnerPanel = nullptr;
};
