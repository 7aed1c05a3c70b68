#pragma once

#include "sheetwindow/NewLinkForm.h"

class TLinkItem;

// Asks for a new type, colour and width of an existing link. Like the new
// link form it only collects them; the caller changes the link.
class TEditLinkForm : public TNewLinkForm {
  Q_OBJECT

 public:
  explicit TEditLinkForm(QWidget* parent = nullptr);

  // The link's type when the form was set up.
  TRelationItem* OldRelation = nullptr;

  // Shows link's type, colour and width; project and link must be set. Raises
  // EInvalidPointer when the link's type is not among the project's.
  void Setup(TContainer* project, TLinkItem* link);

 protected:
  // Keeping the type while changing colour or width is always allowed.
  bool ChecksDuplicate(const TRelationItem* relation) const override;
};
