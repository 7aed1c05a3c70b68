#pragma once

#include "sheetwindow/MultiDragObject.h"

#include <cstdint>
#include <vector>

class TNoteItem;
class TSheetItem;

// A drag of notes (every item a TNoteItem), with where each note's top-left
// corner lies from the point the user grabbed, in world units.
class TDragNotes : public TMultiDragObject {
 public:
  using TMultiDragObject::TMultiDragObject;

  TNoteItem* Note(std::size_t i) const;
  // For each note, its first position on sheet minus (x, y); 0, 0 for a note
  // without a position there.
  void SetOffsets(const TSheetItem* sheet, std::int32_t x, std::int32_t y);
  // -1 beyond the list, and so for every note before SetOffsets.
  std::int32_t OffsetX(std::size_t i) const { return i < OffsetsX.size() ? OffsetsX[i] : -1; }
  std::int32_t OffsetY(std::size_t i) const { return i < OffsetsY.size() ? OffsetsY[i] : -1; }

  std::vector<std::int32_t> OffsetsX;
  std::vector<std::int32_t> OffsetsY;
};
