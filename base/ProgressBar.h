#pragma once

// A progress bar the loader advances, one step per data file.
class IProgressBar {
 public:
  virtual ~IProgressBar() = default;
  virtual void SetRange(int minimum, int maximum) = 0;
  virtual void SetPosition(int position) = 0;
};
