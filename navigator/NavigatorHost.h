#pragma once

class TSheetItem;

// What the navigator asks of the main window that holds it.
class TNavigatorHost {
 public:
  virtual ~TNavigatorHost() = default;

  virtual bool IsSheetOpen(const TSheetItem* sheet) const = 0;
  // Redraws every sheet window; closes those whose sheet is gone.
  virtual void RefreshSheetWindows() = 0;
  // Opens a window on sheet and arranges the windows (the navigator at the
  // left). Throws when the window cannot be made.
  virtual void OpenArrangedSheetWindow(TSheetItem* sheet) = 0;
  // Holds back the main window's repainting while a click opens a sheet.
  virtual void SuspendRepainting(bool suspended) = 0;
};
