// A main window on its own platform services: registry in a temporary folder, every playback
// component registered, a chosen audio presence, and removable drives that are temporary folders.
#pragma once

#include "audiooutput.h"
#include "removabledrives.h"
#include "tavroplayerdlg.h"

#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class PlatformServices;

class FakeDrives : public RemovableDrives {
 public:
  QList<RemovableVolume> volumes;
  QList<RemovableVolume> Enumerate() const override { return volumes; }
  bool IsRemovable(const QString& root) const override;
  std::optional<VolumeSpace> Space(const QString&) const override { return VolumeSpace{1ull << 34, 1ull << 33}; }
};

struct MainWindowFixture {
  explicit MainWindowFixture(AudioOutput::Presence audio = AudioOutput::Presence::Absent);
  ~MainWindowFixture();

  // Makes folder the mount point of a removable volume and returns its root ("/.../").
  QString AddCard(const QString& folder, const QString& label = QString());
  // Answers the drive dialog with root, and every message box with answer; records their texts.
  void AnswerDriveWith(const QString& root);
  // Runs command and waits until the rows it lists are in: scans and deletes run on worker
  // threads, and their rows replace the lists' in one step together with what follows the scan.
  // False when no rows arrive.
  bool Listed(const std::function<void()>& command);

  QTemporaryDir registryDir;
  PlatformServices* services = nullptr;
  FakeDrives* drives = nullptr;  // owned by services
  std::unique_ptr<CTavroPlayerDlg> window;
  QStringList messages;
  QStringList notices;
  int messageAnswer = QMessageBox::Ok;
  QString folderAnswer;
  QString captureAnswer;
};

// The sample card the test run made (make-card), or an empty string when it is missing.
QString SampleCard();
