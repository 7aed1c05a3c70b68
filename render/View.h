#pragma once

class TContainer;

// What every view of the project holds: the project itself, not owned.
class TView {
 public:
  explicit TView(TContainer& container) : container_(&container) {}
  virtual ~TView() = default;
  TView(const TView&) = delete;
  TView& operator=(const TView&) = delete;

  TContainer& Container() const { return *container_; }

 private:
  TContainer* container_;
};
