#include "base/Notifications.h"

namespace {

class TSilentNotifications : public INotifications {
 public:
  void NotifyNavigators(TPoolItem*) override {}
  void RefreshSheetWindows() override {}
};

TSilentNotifications silent;
INotifications* installed = nullptr;

}  // namespace

INotifications* InstallNotifications(INotifications* notifications) {
  INotifications* previous = installed;
  installed = notifications;
  return previous;
}

INotifications& Notifications() { return installed ? *installed : silent; }
