#pragma once

#include "model/DataStructures.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TContainer;
class TNoteItem;
class TRelationItem;
class TSheetItem;

// Asks for the type, colour and width of a new link from FromNote to ToNote
// on Sheet. It only collects them: when it is accepted, Relation, Color,
// ArrowStyle and Width hold the choice, and the caller makes the link.
class TNewLinkForm : public QDialog {
  Q_OBJECT

 public:
  explicit TNewLinkForm(QWidget* parent = nullptr);

  QLabel* Label13 = nullptr;
  QComboBox* CB_LinkType = nullptr;
  QLabel* Label15 = nullptr;
  QLabel* PN_LinkColor = nullptr;
  QLabel* Label17 = nullptr;
  QComboBox* CB_ArrowType = nullptr;
  QLabel* Label19 = nullptr;
  QLineEdit* ED_LinkWidth = nullptr;
  QSpinBox* SP_LinkWidth = nullptr;
  QPushButton* BTN_Ok = nullptr;
  QPushButton* BTN_Cancel = nullptr;

  TContainer* Container = nullptr;
  TNoteItem* ToNote = nullptr;
  TNoteItem* FromNote = nullptr;
  TSheetItem* Sheet = nullptr;
  TLink Defaults = DefaultLink;

  // The choice, set only when OK is accepted.
  TRelationItem* Relation = nullptr;
  std::int32_t Color = DefaultLink.Color;  // 0x00BBGGRR
  std::uint8_t ArrowStyle = DefaultLink.ArrowStyle;
  std::int32_t Width = DefaultLink.Width;

  void Setup(TContainer* project, TNoteItem* from, TSheetItem* sheet, TNoteItem* to);
  // Shows the defaults of a new link and lists the project's relation types
  // in pool order, so that an entry's index is the type's index in the pool.
  void Fill();

  void PN_LinkColorDblClick();
  void BTN_OkClick();

  // The colour the panel shows, 0x00BBGGRR.
  std::int32_t PanelColor() const;
  void SetPanelColor(std::int32_t color);

  static constexpr int kMinWidth = 1;
  static constexpr int kMaxWidth = 10;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

  // Whether choosing relation must be refused when the notes already have a
  // link of that type in this direction on this sheet.
  virtual bool ChecksDuplicate(const TRelationItem* relation) const;
  void ShowWidth(std::int32_t width);
};
