#pragma once

#include "platform/SettingsStore.h"

#include <QString>

#include <map>
#include <optional>

namespace qoztest {

// Settings that live as long as the object; Values is open for tests to
// fill in beforehand and to look at afterwards.
class TMemorySettingsStore : public TSettingsStore {
 public:
  std::optional<QString> Value(const QString& name) const override {
    const auto it = Values.find(name);
    if (it == Values.end()) return std::nullopt;
    return it->second;
  }
  void SetValue(const QString& name, const QString& value) override { Values[name] = value; }

  std::map<QString, QString> Values;
};

}  // namespace qoztest
