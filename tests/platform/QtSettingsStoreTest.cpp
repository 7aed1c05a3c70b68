#include "platform/QtSettingsStore.h"

#include "tests/platform/ScratchSettings.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace {

class QtSettingsStore : public ::testing::Test {
 protected:
  qoztest::TScratchSettings scratch_;
  const QString folder_ = scratch_.Folder();
};

TEST_F(QtSettingsStore, ValuesComeBackAsWrittenInANewStore) {
  // Texts QSettings would otherwise read as lists, variants or escapes.
  const std::vector<std::pair<QString, QString>> values = {
      {QStringLiteral("Plain"), QStringLiteral("Ground floor")},
      {QStringLiteral("Number"), QStringLiteral("0012")},
      {QStringLiteral("Empty"), QString()},
      {QStringLiteral("Commas"), QStringLiteral("1,2, 3")},
      {QStringLiteral("Padded"), QStringLiteral("  both ends  ")},
      {QStringLiteral("Variant"), QStringLiteral("@Variant(\\0\\0\\0\\x7f)")},
      {QStringLiteral("Escapes"), QStringLiteral("C:\\Plans\\new\t\"plan\";#=")},
      {QStringLiteral("Lines"), QStringLiteral("one\ntwo")},
      {QStringLiteral("Accents"), QStringLiteral(u"Café – étage")},
      {QStringLiteral("Window/Left"), QStringLiteral("-20")},
      {QStringLiteral("Recent File 1"), QStringLiteral("/plans/a b.qoz")}};
  {
    TQtSettingsStore store;
    for (const auto& [name, value] : values) store.SetValue(name, value);
    store.SetValue(QStringLiteral("Plain"), QStringLiteral("First floor"));
  }
  EXPECT_TRUE(QFile::exists(folder_ + QStringLiteral("/Orvane/QOZ.conf")));

  const TQtSettingsStore store;
  for (const auto& [name, value] : values) {
    const QString expected =
        name == QStringLiteral("Plain") ? QStringLiteral("First floor") : value;
    EXPECT_EQ(store.Value(name), std::optional<QString>(expected)) << name.toStdString();
  }
}

TEST_F(QtSettingsStore, ANameNeverWrittenHasNoValue) {
  TQtSettingsStore store;
  store.SetValue(QStringLiteral("Window/Left"), QStringLiteral("10"));
  EXPECT_EQ(store.Value(QStringLiteral("Window/Top")), std::nullopt);
  EXPECT_EQ(store.Value(QStringLiteral("Window")), std::nullopt);
  EXPECT_EQ(store.Value(QStringLiteral("window/left")), std::nullopt);
  EXPECT_EQ(TQtSettingsStore().Value(QStringLiteral("Left")), std::nullopt);
}

}  // namespace
