#pragma once

#include "sheetwindow/MultiDragObject.h"

// A drag of attachments (every item a TAttachItem).
class TDragAttach : public TMultiDragObject {
 public:
  using TMultiDragObject::TMultiDragObject;
};
