#pragma once

// Marks a window whose note drags may land on a sheet where the notes
// already stand: the navigator and the property windows, the pool overviews
// among them. A drag from any other window (another sheet window, the search
// results) only places notes that are not yet on the sheet.
class TPlacingDragSource {
 public:
  virtual ~TPlacingDragSource() = default;
};
