#include "platform/QtDesktopShell.h"

#include "platform/DesktopShell.h"
#include "support/RecordingDesktopShell.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QString>
#include <QUrl>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace {

struct TTargetCase {
  const char* Name;
  QString Target;
  // The URL as opened; for a local file, its path, relative ones against
  // the current folder.
  QString Url;
  bool Local;
};

void PrintTo(const TTargetCase& c, std::ostream* out) { *out << c.Name; }

class QtDesktopShellTarget : public ::testing::TestWithParam<TTargetCase> {};

TEST_P(QtDesktopShellTarget, IsAUrlOrALocalFile) {
  const TTargetCase& c = GetParam();
  const QUrl url = TQtDesktopShell::TargetUrl(c.Target);
  ASSERT_TRUE(url.isValid()) << url.errorString().toStdString();
  EXPECT_EQ(url.isLocalFile(), c.Local);
  if (c.Local) {
    EXPECT_EQ(url.toLocalFile(), QDir::current().absoluteFilePath(c.Url));
  } else {
    EXPECT_EQ(url.toString(), c.Url);
  }
}

INSTANTIATE_TEST_SUITE_P(
    , QtDesktopShellTarget,
    ::testing::Values(TTargetCase{"Https", QStringLiteral("https://example.com/plans?id=3#top"),
                                  QStringLiteral("https://example.com/plans?id=3#top"), false},
                      TTargetCase{"Http", QStringLiteral("http://example.com"),
                                  QStringLiteral("http://example.com"), false},
                      TTargetCase{"Ftp", QStringLiteral("ftp://files.example.com/pub/"),
                                  QStringLiteral("ftp://files.example.com/pub/"), false},
                      TTargetCase{"Mailto", QStringLiteral("mailto:office@example.com"),
                                  QStringLiteral("mailto:office@example.com"), false},
                      TTargetCase{"FileUrl", QStringLiteral("file:///plans/a%20b.qoz"),
                                  QStringLiteral("/plans/a b.qoz"), true},
                      TTargetCase{"AbsolutePathKeepsSpacesAndHashes",
                                  QStringLiteral("/plans/My Plans/plan #1 50%.qoz"),
                                  QStringLiteral("/plans/My Plans/plan #1 50%.qoz"), true},
                      TTargetCase{"RelativePath", QStringLiteral("plans/plan.qoz"),
                                  QStringLiteral("plans/plan.qoz"), true},
                      TTargetCase{"DriveLetterIsNoScheme", QStringLiteral("C:\\Plans\\plan.qoz"),
                                  QStringLiteral("C:\\Plans\\plan.qoz"), true},
                      TTargetCase{"DriveLetterWithSlashes", QStringLiteral("c:/plans/plan.qoz"),
                                  QStringLiteral("c:/plans/plan.qoz"), true},
                      TTargetCase{"HostWithoutScheme", QStringLiteral("www.example.com"),
                                  QStringLiteral("www.example.com"), true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(QtDesktopShell, AnEmptyTargetOpensNothing) {
  EXPECT_TRUE(TQtDesktopShell::TargetUrl(QString()).isEmpty());
  TQtDesktopShell shell;
  EXPECT_FALSE(shell.Open(QString()));
}

TEST(QtDesktopShell, IconsForFilesAndNoneForNoName) {
  qoztest::TTempDir dir;
  qoztest::WriteBytes(dir.File("plan.qoz"), "");
  TQtDesktopShell shell;
  EXPECT_FALSE(shell.FileIcon(QString::fromStdString(dir.File("plan.qoz"))).isNull());
  EXPECT_FALSE(shell.FileIcon(QString::fromStdString(dir.Path().string())).isNull());
  EXPECT_TRUE(shell.FileIcon(QString()).isNull());
}

TEST(QtDesktopShell, TheRecorderStandsInForTheDesktopWhileItLives) {
  ASSERT_NE(dynamic_cast<TQtDesktopShell*>(&DesktopShell()), nullptr);
  {
    qoztest::TRecordingDesktopShell shell;
    shell.OpenResult = false;
    EXPECT_FALSE(DesktopShell().Open(QStringLiteral("https://example.com")));
    EXPECT_TRUE(DesktopShell().FileIcon(QStringLiteral("a.qoz")).isNull());
    EXPECT_EQ(shell.Opened, std::vector<QString>{QStringLiteral("https://example.com")});
    EXPECT_EQ(shell.IconsAsked, std::vector<QString>{QStringLiteral("a.qoz")});
  }
  EXPECT_NE(dynamic_cast<TQtDesktopShell*>(&DesktopShell()), nullptr);
}

}  // namespace
