#include "platform/QtSettingsStore.h"

#include <QVariant>

TQtSettingsStore::TQtSettingsStore() : settings_(QStringLiteral("Orvane"), QStringLiteral("QOZ")) {}

std::optional<QString> TQtSettingsStore::Value(const QString& name) const {
  if (!settings_.contains(name)) return std::nullopt;
  return settings_.value(name).toString();
}

void TQtSettingsStore::SetValue(const QString& name, const QString& value) {
  settings_.setValue(name, value);
}
