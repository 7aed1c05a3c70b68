#include "shell/SaveLoadFrm.h"

#include <QLabel>
#include <QVBoxLayout>

TSaveLoadFrm::TSaveLoadFrm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
  setWindowTitle(QStringLiteral("Saving data"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  OuterPanel = new QLabel(QStringLiteral("Please Wait..."), this);
  OuterPanel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  OuterPanel->setFrameShape(QFrame::Panel);
  OuterPanel->setFrameShadow(QFrame::Raised);
  auto* inner = new QVBoxLayout(OuterPanel);
  // The inner panel covers the outer one's caption, as on the classic window.
  inner->setContentsMargins(2, 2, 2, 2);
  InnerPanel = new QLabel(QStringLiteral("please wait..."), OuterPanel);
  InnerPanel->setAlignment(Qt::AlignCenter);
  InnerPanel->setFrameShape(QFrame::Panel);
  InnerPanel->setFrameShadow(QFrame::Sunken);
  inner->addWidget(InnerPanel);
  layout->addWidget(OuterPanel);
  setFixedSize(115, 26);
}
