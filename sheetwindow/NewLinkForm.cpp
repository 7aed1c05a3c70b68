#include "sheetwindow/NewLinkForm.h"

#include "model/RelationItem.h"
#include "platform/Dialogs.h"
#include "platform/QtDialogs.h"
#include "platform/QtText.h"
#include "project/Container.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int kRowHeight = 21;
constexpr int kLabelHeight = 13;

QLabel* NewLabel(const QString& text, int x, int y, int width, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(x, y, width, kLabelHeight);
  return label;
}

}  // namespace

TNewLinkForm::TNewLinkForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("New Link"));
  setModal(true);
  setFixedSize(265, 145);

  Label13 = NewLabel(QStringLiteral("Type"), 16, 16, 100, this);
  CB_LinkType = new QComboBox(this);
  CB_LinkType->setEditable(false);
  CB_LinkType->setGeometry(15, 32, 145, kRowHeight);

  Label15 = NewLabel(QStringLiteral("Color"), 16, 56, 100, this);
  PN_LinkColor = new QLabel(this);
  PN_LinkColor->setGeometry(15, 72, 145, 17);
  PN_LinkColor->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PN_LinkColor->setAutoFillBackground(true);
  PN_LinkColor->installEventFilter(this);

  // Every link is drawn with the one arrow style, so there is nothing to
  // choose; the controls stay for the layout only.
  Label17 = NewLabel(QStringLiteral("Arrows"), 16, 96, 100, this);
  Label17->hide();
  CB_ArrowType = new QComboBox(this);
  CB_ArrowType->setGeometry(15, 112, 145, kRowHeight);
  CB_ArrowType->hide();

  Label19 = NewLabel(QStringLiteral("Line width"), 184, 16, 75, this);
  ED_LinkWidth = new QLineEdit(QStringLiteral("1"), this);
  ED_LinkWidth->setGeometry(183, 32, 33, kRowHeight);
  ED_LinkWidth->setReadOnly(true);
  // A spin box narrowed to its arrows: the edit beside it shows the value,
  // and the arrows are the only way to change it.
  SP_LinkWidth = new QSpinBox(this);
  SP_LinkWidth->setGeometry(216, 32, 17, kRowHeight);
  SP_LinkWidth->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  SP_LinkWidth->setRange(kMinWidth, kMaxWidth);
  SP_LinkWidth->setValue(kMinWidth);
  connect(SP_LinkWidth, &QSpinBox::valueChanged, this, [this](int value) { ShowWidth(value); });

  BTN_Ok = new QPushButton(QStringLiteral("&Ok"), this);
  BTN_Ok->setGeometry(176, 64, 75, 25);
  BTN_Ok->setDefault(true);
  connect(BTN_Ok, &QPushButton::clicked, this, [this] { BTN_OkClick(); });
  BTN_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
  BTN_Cancel->setGeometry(176, 104, 75, 25);
  connect(BTN_Cancel, &QPushButton::clicked, this, &QDialog::reject);

  SetPanelColor(Defaults.Color);
}

void TNewLinkForm::Setup(TContainer* project, TNoteItem* from, TSheetItem* sheet, TNoteItem* to) {
  Container = project;
  FromNote = from;
  Sheet = sheet;
  ToNote = to;
  Fill();
}

void TNewLinkForm::Fill() {
  Defaults = DefaultLink;
  SetPanelColor(Defaults.Color);
  CB_LinkType->clear();
  if (Container != nullptr) {
    for (std::int32_t i = 0; i < Container->RelationCount(); ++i) {
      CB_LinkType->addItem(TQtText::FromCp1252(Container->GetRelation(i)->Name()));
    }
  }
  CB_LinkType->setCurrentIndex(CB_LinkType->count() > 0 ? 0 : -1);
  ShowWidth(Defaults.Width);
}

void TNewLinkForm::PN_LinkColorDblClick() {
  if (const auto chosen = Dialogs().Colour(this, PanelColor())) SetPanelColor(*chosen);
}

void TNewLinkForm::BTN_OkClick() {
  const int index = CB_LinkType->currentIndex();
  if (Container == nullptr || index < 0 || index >= Container->RelationCount()) return;
  TRelationItem* relation = Container->GetRelation(index);
  if (ChecksDuplicate(relation) && Container->LinkExists(FromNote, ToNote, relation, Sheet)) {
    Dialogs().Message(this, QStringLiteral("Notes already have this type of relation..."),
                      TMessageIcon::Information, TMessageButtons::Ok);
    return;
  }
  Relation = relation;
  Color = PanelColor();
  ArrowStyle = 2;
  Width = SP_LinkWidth->value();
  accept();
}

std::int32_t TNewLinkForm::PanelColor() const {
  return TQtDialogs::FromQColor(PN_LinkColor->palette().color(QPalette::Window));
}

void TNewLinkForm::SetPanelColor(std::int32_t color) {
  QPalette palette = PN_LinkColor->palette();
  palette.setColor(QPalette::Window, TQtDialogs::ToQColor(color));
  PN_LinkColor->setPalette(palette);
}

bool TNewLinkForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PN_LinkColor && event->type() == QEvent::MouseButtonDblClick &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    PN_LinkColorDblClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool TNewLinkForm::ChecksDuplicate(const TRelationItem* /*relation*/) const { return true; }

void TNewLinkForm::ShowWidth(std::int32_t width) {
  // Setting the value again emits nothing, so the edit is written here too.
  SP_LinkWidth->setValue(width);
  ED_LinkWidth->setText(QString::number(SP_LinkWidth->value()));
}
