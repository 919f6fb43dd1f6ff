#include "appfixture.h"

#include "components.h"
#include "platformservices.h"
#include "recordinglists.h"
#include "registry.h"
#include "stringtable.h"
#include "testenvironment.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

bool FakeDrives::IsRemovable(const QString& root) const {
  for (const RemovableVolume& v : volumes)
    if (v.root == root) return true;
  return false;
}

MainWindowFixture::MainWindowFixture(AudioOutput::Presence audio) {
  services = new PlatformServices(std::make_unique<RegistryStore>(registryDir.path()),
                                  std::make_unique<StringTable>(), new AudioOutput(audio), nullptr);
  RegisterPlaybackComponents(services->Components());
  drives = new FakeDrives();
  services->SetDrives(drives);
  window = std::make_unique<CTavroPlayerDlg>(*services);
  CTavroPlayerDlg::Dialogs& d = window->DialogHooks();
  d.message = [this](const QString& text, bool) {
    messages << text;
    return messageAnswer;
  };
  d.chooseFolder = [this](const QString&, const QString&, const QString&) { return folderAnswer; };
  d.selectDrive = []() -> std::optional<QString> { return std::nullopt; };
  d.selectDate = []() -> std::optional<qint64> { return std::nullopt; };
  d.chooseCaptureFile = [this](const QString&, const QString&) { return captureAnswer; };
  d.confirmReplace = [](const QString&) { return true; };
  d.notice = [this](const QString& text) { notices << text; };
}

MainWindowFixture::~MainWindowFixture() {
  window.reset();
  delete services;
}

QString MainWindowFixture::AddCard(const QString& folder, const QString& label) {
  QString root = QDir(folder).absolutePath();
  if (!root.endsWith('/')) root += '/';
  drives->volumes.append({root, label});
  return root;
}

void MainWindowFixture::AnswerDriveWith(const QString& root) {
  window->DialogHooks().selectDrive = [root]() -> std::optional<QString> { return root; };
}

bool MainWindowFixture::Listed(const std::function<void()>& command) {
  QSignalSpy replaced(&window->Lists(), &RecordingLists::rowsReplaced);
  command();
  // A bound for failures only: the wait ends when the rows are in.
  return QTest::qWaitFor([&] { return !replaced.isEmpty(); }, 60000);
}

QString SampleCard() {
  const QString dir = testenv::SampleCardDirectory();
  return QDir(dir + "/Recordings").exists() ? dir : QString();
}
