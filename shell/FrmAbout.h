#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The about box: logo, product name, version and the maker's web site. A
// hidden memo with the build's details shows when the small panel at the
// bottom is clicked with Ctrl, Shift and Alt held, and hides at the next
// click on it.
class Tfrm_about : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kWebSite = "https://www.orvane.example/qoz/";

  explicit Tfrm_about(QWidget* parent = nullptr);

  QLabel* Logo = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* VersionLabel = nullptr;
  QLabel* Version = nullptr;
  QLabel* WebSiteLabel = nullptr;
  QLabel* WebSite = nullptr;
  QPushButton* BTN_Ok = nullptr;
  QPlainTextEdit* BuildInfo = nullptr;
  QWidget* SecretPanel = nullptr;

  void WebSiteClick();
  // modifiers: the keyboard modifiers held during the click.
  void SecretPanelClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
