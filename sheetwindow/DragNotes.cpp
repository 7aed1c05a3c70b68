#include "sheetwindow/DragNotes.h"

#include "base/Convert.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"

TNoteItem* TDragNotes::Note(std::size_t i) const { return static_cast<TNoteItem*>(ItemAt(i)); }

void TDragNotes::SetOffsets(const TSheetItem* sheet, std::int32_t x, std::int32_t y) {
  OffsetsX.clear();
  OffsetsY.clear();
  for (std::size_t i = 0; i < ItemCount(); ++i) {
    const TPosItem* first = nullptr;
    Note(i)->Positions().ForEach([&](TPoolItem* item) {
      const auto* position = static_cast<const TPosItem*>(item);
      if (!first && position->Sheet() == sheet) first = position;
    });
    OffsetsX.push_back(first ? CheckedSub(first->X(), x) : 0);
    OffsetsY.push_back(first ? CheckedSub(first->Y(), y) : 0);
  }
}
