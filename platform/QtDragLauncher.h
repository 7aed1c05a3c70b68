#pragma once

#include "platform/DragLauncher.h"

// Runs each drag as a QDrag carrying a TDragMimeData.
class TQtDragLauncher : public TDragLauncher {
 public:
  void Run(QWidget* source, std::unique_ptr<TDragObject> object) override;
};
