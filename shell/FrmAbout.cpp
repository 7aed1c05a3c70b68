#include "shell/FrmAbout.h"

#include "platform/DesktopShell.h"
#include "shell/QOZIcons.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString BuildDetails() {
  return QStringLiteral("QOZ %1\nBuilt %2 %3 with Qt %4 (running on Qt %5)")
      .arg(QStringLiteral("5.12"), QStringLiteral(__DATE__), QStringLiteral(__TIME__),
           QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()));
}

}  // namespace

Tfrm_about::Tfrm_about(QWidget* parent) : QDialog(parent) {
  const QString product = QStringLiteral("QOZ");
  setWindowTitle(QStringLiteral("About ") + product);
  setModal(true);
  setFixedSize(285, 381);
  auto* layout = new QVBoxLayout(this);
  Logo = new QLabel(this);
  Logo->setPixmap(TQOZIcons::Logo(QSize(261, 145)));
  Logo->setAlignment(Qt::AlignCenter);
  ProductName = new QLabel(product, this);
  QFont large = ProductName->font();
  large.setPointSize(large.pointSize() + 6);
  large.setBold(true);
  ProductName->setFont(large);
  ProductName->setAlignment(Qt::AlignCenter);
  auto* details = new QGridLayout();
  VersionLabel = new QLabel(QStringLiteral("Version : "), this);
  Version = new QLabel(QStringLiteral("5.12"), this);
  WebSiteLabel = new QLabel(QStringLiteral("Website:"), this);
  WebSite = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(kWebSite)), this);
  WebSite->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  connect(WebSite, &QLabel::linkActivated, this, [this] { WebSiteClick(); });
  details->addWidget(VersionLabel, 0, 0);
  details->addWidget(Version, 0, 1);
  details->addWidget(WebSiteLabel, 1, 0);
  details->addWidget(WebSite, 1, 1);
  BuildInfo = new QPlainTextEdit(BuildDetails(), this);
  BuildInfo->setReadOnly(true);
  BuildInfo->setVisible(false);
  BTN_Ok = new QPushButton(QStringLiteral("&Ok"), this);
  BTN_Ok->setDefault(true);
  connect(BTN_Ok, &QPushButton::clicked, this, &QDialog::accept);
  SecretPanel = new QWidget(this);
  SecretPanel->setFixedSize(13, 9);
  SecretPanel->installEventFilter(this);
  layout->addWidget(Logo);
  layout->addWidget(ProductName);
  layout->addLayout(details);
  layout->addWidget(BuildInfo, 1);
  layout->addStretch();
  auto* bottom = new QHBoxLayout();
  bottom->addWidget(SecretPanel, 0, Qt::AlignBottom);
  bottom->addStretch();
  bottom->addWidget(BTN_Ok);
  bottom->addStretch();
  layout->addLayout(bottom);
}

void Tfrm_about::WebSiteClick() { DesktopShell().Open(QLatin1String(kWebSite)); }

void Tfrm_about::SecretPanelClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  if (!BuildInfo->isHidden()) {
    BuildInfo->setVisible(false);
    return;
  }
  const Qt::KeyboardModifiers all = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;
  if (button == Qt::LeftButton && (modifiers & all) == all) BuildInfo->setVisible(true);
}

bool Tfrm_about::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SecretPanel && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    SecretPanelClick(mouse->button(), mouse->modifiers());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
