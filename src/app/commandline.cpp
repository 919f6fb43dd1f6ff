#include "commandline.h"

#include "nativepath.h"
#include "tavroversion.h"
#include "uilanguage.h"

#include <QCommandLineParser>
#include <QDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Kind { Missing, Folder, File };

// Through the name's own bytes: a folder whose name is not UTF-8 is a folder too.
Kind KindOf(const QString& path) {
  struct stat st {};
  if (::stat(NativePath(path).constData(), &st) != 0) return Kind::Missing;
  return S_ISDIR(st.st_mode) ? Kind::Folder : Kind::File;
}

QString CurrentFolder() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) ? PathFromNative(QByteArrayView(buffer)) : QDir::currentPath();
}

const QString kProgram = QStringLiteral("tavro-player");

ParsedCommandLine UsageError(const QString& what) {
  ParsedCommandLine result;
  result.run = false;
  result.exitCode = 2;
  result.error = QStringLiteral("%1: %2 (try '%1 --help')\n").arg(kProgram, what);
  return result;
}

}  // namespace

QString CommandLineHelp() {
  return QStringLiteral(
             "Usage: %1 [OPTION]... [FOLDER]\n"
             "Play the recordings of a TAVRO Roadcask QX5 car recorder's memory card.\n"
             "\n"
             "With FOLDER, list the recordings in that folder (a card, a copy of a card, or\n"
             "any folder of recordings; a recording opens its own folder) instead of asking\n"
             "for the card's drive.\n"
             "\n"
             "      --play             play the first recording once the window is shown\n"
             "      --view=VIEW        with --play: show the front, rear or both cameras\n"
             "      --extended         with --play: switch to the enlarged full-screen view\n"
             "      --screenshot=FILE  save a picture of the window to FILE, then exit\n"
             "      --language=ID      show the texts in language ID and remember it:\n"
             "                           1033 English, 1041 Japanese, 1042 Korean, 1049 Russian\n"
             "  -h, --help             display this help and exit\n"
             "      --version          output version information and exit\n"
             "\n"
             "Without --language the player follows the system's language when it is one of\n"
             "these four, and shows Korean texts otherwise.\n")
      .arg(kProgram);
}

QString CommandLineVersion() {
  return QStringLiteral("%1 (TAVRO Roadcask QX5) %2\n").arg(kProgram, QStringLiteral(TAVRO_VERSION));
}

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption play(QStringLiteral("play"));
  const QCommandLineOption view(QStringLiteral("view"), QString(), QStringLiteral("VIEW"));
  const QCommandLineOption extended(QStringLiteral("extended"));
  const QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"));
  const QCommandLineOption language(QStringLiteral("language"), QString(), QStringLiteral("ID"));
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOptions({play, view, extended, screenshot, language, help, version});
  parser.addPositionalArgument(QStringLiteral("folder"), QString());

  if (!parser.parse(arguments)) return UsageError(parser.errorText().toLower().remove('.'));

  ParsedCommandLine result;
  if (parser.isSet(help) || parser.isSet(version)) {
    result.run = false;
    result.output = parser.isSet(help) ? CommandLineHelp() : CommandLineVersion();
    return result;
  }

  PlayerOptions& options = result.options;
  options.play = parser.isSet(play);
  options.extended = parser.isSet(extended);
  options.screenshot = parser.value(screenshot);
  if (parser.isSet(view)) {
    options.view = parser.value(view);
    if (options.view != QLatin1String("front") && options.view != QLatin1String("rear") &&
        options.view != QLatin1String("both"))
      return UsageError(QStringLiteral("invalid view '%1': front, rear or both").arg(options.view));
  }
  if (parser.isSet(language)) {
    bool ok = false;
    options.language = parser.value(language).toInt(&ok);
    if (!ok || !IsUiLanguage(options.language))
      return UsageError(
          QStringLiteral("invalid language '%1': 1033, 1041, 1042 or 1049").arg(parser.value(language)));
  }

  const QStringList positional = parser.positionalArguments();
  if (positional.size() > 1) return UsageError(QStringLiteral("one folder at most"));
  if (!positional.isEmpty()) {
    const QString given = positional.first();
    const QString absolute = QDir::cleanPath(QDir::isAbsolutePath(given) ? given : CurrentFolder() + '/' + given);
    switch (KindOf(absolute)) {
      case Kind::Folder: options.folder = absolute; break;
      case Kind::File: options.folder = absolute.left(absolute.lastIndexOf('/')); break;
      case Kind::Missing: return UsageError(QStringLiteral("'%1': no such folder").arg(given));
    }
    if (options.folder.isEmpty()) options.folder = QStringLiteral("/");
  }
  return result;
}
