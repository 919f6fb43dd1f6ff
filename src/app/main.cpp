#include "commandline.h"
#include "nativepath.h"
#include "tavroplayerapp.h"

#include <cstdio>

int main(int argc, char** argv) {
  // Parsed before the application object exists: --help and --version need no display.
  QStringList arguments;
  // A folder's name keeps its bytes, whatever their encoding.
  for (int i = 0; i < argc; ++i) arguments << PathFromNative(QByteArrayView(argv[i]));
  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (!parsed.run) {
    std::fputs(parsed.output.toLocal8Bit().constData(), stdout);
    std::fputs(parsed.error.toLocal8Bit().constData(), stderr);
    return parsed.exitCode;
  }
  CTavroPlayerApp app(argc, argv);
  return app.InitInstance(parsed.options);
}
