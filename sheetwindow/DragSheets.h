#pragma once

#include "sheetwindow/MultiDragObject.h"

// A drag of sheets (every item a TSheetItem).
class TDragSheets : public TMultiDragObject {
 public:
  using TMultiDragObject::TMultiDragObject;
};
