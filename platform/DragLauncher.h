#pragma once

#include <memory>

class QWidget;
class TDragObject;

// Starts drags. The Qt launcher runs a QDrag and returns when it has been
// dropped or cancelled; a test installs one that records the drag instead.
class TDragLauncher {
 public:
  virtual ~TDragLauncher() = default;

  // Drags object out of source until the drop or the cancel; the object is
  // freed when the drag ends.
  virtual void Run(QWidget* source, std::unique_ptr<TDragObject> object) = 0;
};

// The installed launcher (not owned); nullptr restores the Qt one. Returns
// the previous one, so that a test can put it back.
TDragLauncher* InstallDragLauncher(TDragLauncher* launcher);
TDragLauncher& DragLauncher();
