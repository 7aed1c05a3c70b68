#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>
#include <QString>

#include <optional>

// The settings in the user's native store of the organisation "Orvane" and
// the application "QOZ" (on Linux ~/.config/Orvane/QOZ.conf). Values are
// written as strings and read back as strings, whatever they look like.
class TQtSettingsStore : public TSettingsStore {
 public:
  TQtSettingsStore();

  std::optional<QString> Value(const QString& name) const override;
  void SetValue(const QString& name, const QString& value) override;

 private:
  QSettings settings_;
};
