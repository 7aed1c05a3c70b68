#pragma once

#include "platform/DragLauncher.h"
#include "platform/DragObject.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QWidget;

namespace qoztest {

// Installed while it lives: records every drag instead of running one, and
// plays the user's part during it (what the platform's drag loop would
// deliver) when During is set.
class TRecordingDragLauncher : public TDragLauncher {
 public:
  TRecordingDragLauncher() : previous_(InstallDragLauncher(this)) {}
  ~TRecordingDragLauncher() override { InstallDragLauncher(previous_); }
  TRecordingDragLauncher(const TRecordingDragLauncher&) = delete;
  TRecordingDragLauncher& operator=(const TRecordingDragLauncher&) = delete;

  void Run(QWidget* source, std::unique_ptr<TDragObject> object) override {
    Sources.push_back(source);
    if (During) During(*object);
    Last = std::move(object);
  }

  std::function<void(TDragObject&)> During;
  std::vector<QWidget*> Sources;   // one per drag, in order
  std::unique_ptr<TDragObject> Last;  // what the last drag carried

 private:
  TDragLauncher* previous_;
};

}  // namespace qoztest
