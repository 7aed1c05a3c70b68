#include "shell/StartForm.h"

#include "shell/QOZIcons.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kMinimumTicks = 3;

}  // namespace

TStartForm::TStartForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setFixedSize(323, 250);
  setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(9, 9, 9, 9);
  layout->setSpacing(4);
  Logo = new QLabel(this);
  Logo->setFixedSize(305, 169);
  Logo->setPixmap(TQOZIcons::Logo(QSize(305, 169)));
  VersionLabel = new QLabel(QStringLiteral("QOZ 5.1 "), this);
  OpeningLabel = new QLabel(QStringLiteral("Opening last project..."), this);
  auto* separator = new QFrame(this);
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  PB_StartUp = new QProgressBar(this);
  PB_StartUp->setFixedSize(305, 16);
  PB_StartUp->setTextVisible(false);
  layout->addWidget(Logo);
  layout->addWidget(VersionLabel);
  layout->addWidget(OpeningLabel);
  layout->addWidget(separator);
  layout->addWidget(PB_StartUp);
  if (const QScreen* screen = QApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  TR_KillTimer = new QTimer(this);
  TR_KillTimer->setInterval(1000);
  connect(TR_KillTimer, &QTimer::timeout, this, &TStartForm::TR_KillTimerTimer);
  TR_KillTimer->start();
}

void TStartForm::SetTickInterval(int milliseconds) { TR_KillTimer->setInterval(milliseconds); }

void TStartForm::SetRange(int minimum, int maximum) { PB_StartUp->setRange(minimum, maximum); }

void TStartForm::SetPosition(int position) {
  PB_StartUp->setValue(position);
  PB_StartUp->repaint();
}

void TStartForm::TR_KillTimerTimer() {
  ++ticks_;
  if (ticks_ >= kMinimumTicks && !finished_) {
    finished_ = true;
    Q_EMIT FinishedChanged();
  }
}

// The logo and the panel pass their clicks on to the window.
void TStartForm::FormClick() { ticks_ = kMinimumTicks; }

void TStartForm::mousePressEvent(QMouseEvent* event) {
  FormClick();
  QWidget::mousePressEvent(event);
}
