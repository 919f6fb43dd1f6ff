// Start-up of the player to its first painted window: from the moment the process was started
// (its start time in /proc, so the loading of every linked library counts) to the end of the
// main window's first paint, with the map hidden and no card. One measurement per process;
// bench/startup/run starts it many times.
#include "components.h"
#include "audiooutput.h"
#include "platformservices.h"
#include "registry.h"
#include "stringtable.h"
#include "tavroplayerdlg.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

#ifdef TAVRO_LINK_WEBENGINE
#include <QWebEngineProfile>
#endif

namespace {

// Milliseconds since this process started, from the kernel's account of it.
double MsSinceProcessStart() {
  QFile stat(QStringLiteral("/proc/self/stat"));
  QFile uptime(QStringLiteral("/proc/uptime"));
  if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
  const QByteArray line = stat.readAll();
  // Field 22 (starttime, in clock ticks after boot) counts from the field after the ")".
  const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
  const double startTicks = fields.value(19).toDouble();
  const double now = uptime.readAll().split(' ').value(0).toDouble();
  return (now - startTicks / double(sysconf(_SC_CLK_TCK))) * 1000.0;
}

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done) {
      done = true;
      // After the paint has been handled: the window is drawn.
      QTimer::singleShot(0, [] {
        std::printf("%.1f\n", MsSinceProcessStart());
        QApplication::exit(0);
      });
    }
    return QObject::eventFilter(watched, event);
  }
  bool done = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
#ifdef TAVRO_LINK_WEBENGINE
  // Only so that the web engine's libraries are linked and loaded with the program.
  if (argc > 99) QWebEngineProfile::defaultProfile();
#endif
  QTemporaryDir registry;
  PlatformServices services(std::make_unique<RegistryStore>(registry.path()), std::make_unique<StringTable>(),
                            new AudioOutput(AudioOutput::Presence::Detect), nullptr);
  RegisterPlaybackComponents(services.Components());
  CTavroPlayerDlg window(services);
  FirstPaint firstPaint;
  window.installEventFilter(&firstPaint);
  if (!window.OnInitDialog()) return 1;
  window.show();
  return app.exec();
}
