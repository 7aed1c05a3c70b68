#pragma once

class TPoolItem;

// The two notifications through which whoever changes project data tells the
// windows (the main window implements them). With nothing installed they do
// nothing, which is what a program without windows wants.
class INotifications {
 public:
  virtual ~INotifications() = default;
  // An item was added (nullptr: only refresh what is shown).
  virtual void NotifyNavigators(TPoolItem* item) = 0;
  // Redraw every open sheet window; close those whose sheet is gone.
  virtual void RefreshSheetWindows() = 0;
};

// Installs notifications (not owned; nullptr restores the silent default) and
// returns the one installed before.
INotifications* InstallNotifications(INotifications* notifications);
INotifications& Notifications();
