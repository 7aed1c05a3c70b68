#pragma once

#include <QString>

#include <optional>

// The per-user settings of the program: named string values. The program
// uses the store over QSettings; tests use one in memory.
class TSettingsStore {
 public:
  virtual ~TSettingsStore() = default;
  // Nothing when the value has never been written.
  virtual std::optional<QString> Value(const QString& name) const = 0;
  virtual void SetValue(const QString& name, const QString& value) = 0;
};
