#pragma once

#include "base/ProgressBar.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

// The splash window of the start-up: the logo, "Opening last project..." and
// the progress of the load. It stays at least three ticks of its timer (a
// click shortens that to the next tick) and then reports Finished.
class TStartForm : public QWidget, public IProgressBar {
  Q_OBJECT

 public:
  explicit TStartForm(QWidget* parent = nullptr);

  // The load's progress (IProgressBar); repaints at once, since the load
  // runs on this thread.
  void SetRange(int minimum, int maximum) override;
  void SetPosition(int position) override;

  bool Finished() const { return finished_; }
  int Ticks() const { return ticks_; }
  // One second in the program; tests make it short.
  void SetTickInterval(int milliseconds);

  QLabel* Logo = nullptr;
  QLabel* VersionLabel = nullptr;
  QLabel* OpeningLabel = nullptr;
  QProgressBar* PB_StartUp = nullptr;
  QTimer* TR_KillTimer = nullptr;

  void TR_KillTimerTimer();
  void FormClick();

 Q_SIGNALS:
  void FinishedChanged();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int ticks_ = 0;
  bool finished_ = false;
};
