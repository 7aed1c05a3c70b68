#include "sheetwindow/EditLinkForm.h"

#include "base/InvalidPointer.h"
#include "model/LinkItem.h"
#include "project/Container.h"

#include <QComboBox>

TEditLinkForm::TEditLinkForm(QWidget* parent) : TNewLinkForm(parent) {}

void TEditLinkForm::Setup(TContainer* project, TLinkItem* link) {
  Container = project;
  ToNote = link->ToNote();
  FromNote = link->FromNote();
  Sheet = link->Sheet();
  OldRelation = link->Relation();
  Relation = OldRelation;
  Fill();
  SetPanelColor(link->Color());
  // Addresses only: a type of another project must be found missing, not
  // looked up.
  int index = -1;
  for (std::int32_t i = 0; i < Container->RelationCount() && index < 0; ++i) {
    if (Container->GetRelation(i) == OldRelation) index = i;
  }
  if (index < 0) throw EInvalidPointer("TEditLinkForm: Empty List [No Relations]...");
  CB_LinkType->setCurrentIndex(index);
  ShowWidth(link->Width());
}

bool TEditLinkForm::ChecksDuplicate(const TRelationItem* relation) const {
  return relation != OldRelation;
}
