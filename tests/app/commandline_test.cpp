// The player's command line: what each option gives, and the usage errors.
#include "commandline.h"
#include "nativepath.h"
#include "tavroversion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(CommandLine, OptionsAndTheFolder) {
  QTemporaryDir dir;
  QFile recording(dir.filePath("20261211_090000_NOR_2R.AVI"));
  ASSERT_TRUE(recording.open(QIODevice::WriteOnly));
  recording.close();
  const QString folder = QDir(dir.path()).absolutePath();

  const struct {
    QStringList args;
    PlayerOptions expected;
  } cases[] = {
      {{}, {}},
      {{folder}, {folder, false, {}, false, {}, 0}},
      {{recording.fileName()}, {folder, false, {}, false, {}, 0}},  // a recording opens its folder
      {{"--play", "--view", "both", "--extended", folder}, {folder, true, "both", true, {}, 0}},
      {{"--view=rear", "--screenshot=/tmp/x.png"}, {{}, false, "rear", false, "/tmp/x.png", 0}},
      {{"--screenshot", "/tmp/y.png", "--language", "1049"}, {{}, false, {}, false, "/tmp/y.png", 1049}},
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(QStringList{"tavro-player"} + c.args);
    const std::string what = c.args.join(' ').toStdString();
    ASSERT_TRUE(parsed.run) << what;
    EXPECT_EQ(parsed.options.folder, c.expected.folder) << what;
    EXPECT_EQ(parsed.options.play, c.expected.play) << what;
    EXPECT_EQ(parsed.options.view, c.expected.view) << what;
    EXPECT_EQ(parsed.options.extended, c.expected.extended) << what;
    EXPECT_EQ(parsed.options.screenshot, c.expected.screenshot) << what;
    EXPECT_EQ(parsed.options.language, c.expected.language) << what;
  }
}

TEST(CommandLine, HelpVersionAndUsageErrors) {
  const struct {
    QStringList args;
    int exitCode;
    const char* outputHas;  // on standard output, or null for none
    const char* errorHas;   // on standard error, or null for none
  } cases[] = {
      {{"--help"}, 0, "Usage: tavro-player [OPTION]... [FOLDER]", nullptr},
      {{"-h"}, 0, "--screenshot=FILE", nullptr},
      {{"--version"}, 0, "tavro-player (TAVRO Roadcask QX5) " TAVRO_VERSION, nullptr},
      {{"--frobnicate"}, 2, nullptr, "tavro-player: unknown option 'frobnicate'"},
      {{"--view", "sideways"}, 2, nullptr, "invalid view 'sideways'"},
      {{"--language", "2052"}, 2, nullptr, "invalid language '2052'"},
      {{"--screenshot"}, 2, nullptr, "missing value after '--screenshot'"},
      {{"/no/such/folder/anywhere"}, 2, nullptr, "no such folder"},
      {{"/tmp", "/usr"}, 2, nullptr, "one folder at most"},
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(QStringList{"tavro-player"} + c.args);
    const std::string what = c.args.join(' ').toStdString();
    EXPECT_FALSE(parsed.run) << what;
    EXPECT_EQ(parsed.exitCode, c.exitCode) << what;
    if (c.outputHas) EXPECT_TRUE(parsed.output.contains(c.outputHas)) << what << ": " << parsed.output.toStdString();
    else EXPECT_TRUE(parsed.output.isEmpty()) << what;
    if (c.errorHas) {
      EXPECT_TRUE(parsed.error.contains(c.errorHas)) << what << ": " << parsed.error.toStdString();
      // One line, as a usage error of a command-line program is.
      EXPECT_EQ(parsed.error.count('\n'), 1) << what;
    } else {
      EXPECT_TRUE(parsed.error.isEmpty()) << what;
    }
  }
}

TEST(CommandLine, AFolderWhoseNameIsNotUtf8KeepsItsBytes) {
  QTemporaryDir dir;
  const QByteArray folder = QFile::encodeName(QDir(dir.path()).absolutePath()) + "/card-\xff\xfe";
  ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
  const ParsedCommandLine parsed = ParseCommandLine({"tavro-player", PathFromNative(folder)});
  ASSERT_TRUE(parsed.run) << parsed.error.toStdString();
  EXPECT_EQ(NativePath(parsed.options.folder), folder);
}
