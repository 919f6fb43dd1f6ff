#include "tavroplayerapp.h"

#include "audiooutput.h"
#include "components.h"
#include "platformservices.h"
#include "registry.h"
#include "removabledrives.h"
#include "stringtable.h"
#include "reviewrun.h"
#include "tavroplayerdlg.h"
#include "tavroversion.h"
#include "uilanguage.h"

#include <QFont>

CTavroPlayerApp::CTavroPlayerApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("TavroRoadcask"));
  setOrganizationName(QStringLiteral("Tavro"));
  // The desktop matches the window to the player's menu entry by this name.
  setDesktopFileName(QStringLiteral(TAVRO_APP_ID));
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

int CTavroPlayerApp::InitInstance(const PlayerOptions& options) {
  if (options.language) StoreUiLanguage(services->Registry(), options.language);
  CTavroPlayerDlg dialog(*services);
  if (!options.folder.isEmpty()) dialog.SetStartFolder(options.folder);
  if (!dialog.OnInitDialog()) return 1;
  dialog.show();
  ReviewRun review(dialog, options);
  review.Start();
  dialog.exec();
  return 0;
}
