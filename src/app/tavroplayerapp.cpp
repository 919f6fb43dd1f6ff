#include "tavroplayerapp.h"

#include "audiooutput.h"
#include "components.h"
#include "platformservices.h"
#include "registry.h"
#include "removabledrives.h"
#include "stringtable.h"
#include "tavroplayerdlg.h"
#include "videoplayer.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QTimer>

CTavroPlayerApp::CTavroPlayerApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("TavroRoadcask"));
  setOrganizationName(QStringLiteral("Tavro"));
  // Korean texts need a Korean face; fontconfig falls back to it for every missing glyph too.
  QFont font(QStringLiteral("NanumGothic"));
  font.setPixelSize(12);
  setFont(font);

  // TAVRO_REGISTRY_DIR keeps both registry roots in one folder (for trying the player without
  // touching the user's or the machine's settings).
  const QString registryDir = qEnvironmentVariable("TAVRO_REGISTRY_DIR");
  auto registry = registryDir.isEmpty() ? std::make_unique<RegistryStore>()
                                        : std::make_unique<RegistryStore>(registryDir);
  services = new PlatformServices(std::move(registry), std::make_unique<StringTable>(),
                                  new AudioOutput(AudioOutput::Presence::Detect), nullptr);
  services->AttachTo(this);
  RegisterPlaybackComponents(services->Components());
  services->SetDrives(new RemovableDrives());
}

CTavroPlayerApp::~CTavroPlayerApp() = default;

int CTavroPlayerApp::InitInstance() {
  CTavroPlayerDlg dialog(*services);
  // A folder on the command line is listed as the folder command lists one. "--screenshot FILE"
  // saves the window's picture after a moment and ends (for documentation and reviews);
  // "--play" starts the first recording.
  QStringList args = arguments();
  args.removeFirst();
  QString screenshot;
  QString view;
  bool play = false;
  bool extended = false;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--screenshot") && i + 1 < args.size()) screenshot = args[++i];
    else if (args[i] == QStringLiteral("--view") && i + 1 < args.size()) view = args[++i];
    else if (args[i] == QStringLiteral("--play")) play = true;
    else if (args[i] == QStringLiteral("--extended")) extended = true;
    else if (QFileInfo(args[i]).isDir()) dialog.SetStartFolder(QDir(args[i]).absolutePath());
  }
  if (!dialog.OnInitDialog()) return 1;
  dialog.show();
  if (play) {
    QTimer::singleShot(300, &dialog, [&dialog, view, extended] {
      // The first recording with both cameras when a two-camera view is asked for.
      do {
        dialog.PlayNext();
      } while (!view.isEmpty() && view != QStringLiteral("front") && dialog.currentIndex >= 0 &&
               dialog.Player().VideoStreamCount() < 2);
      if (extended) dialog.OnExtend();
      if (view == QStringLiteral("rear")) dialog.OnViewRear();
      else if (view == QStringLiteral("both")) dialog.OnViewBoth();
    });
  }
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(play ? 2500 : 800, &dialog, [&dialog, screenshot] {
      dialog.grab().save(screenshot);
      dialog.done(QDialog::Accepted);
    });
  }
  dialog.exec();
  return 0;
}
