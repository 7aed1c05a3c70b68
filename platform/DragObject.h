#pragma once

// What a drag carries inside the application. Each kind of dragged thing
// derives from it; a drop target finds out which by its type. The drag
// machinery owns the object and frees it when the drag ends.
class TDragObject {
 public:
  virtual ~TDragObject() = default;
};
