// RecordingSession: the recording in the player. It opens a recording into the engine, shows its
// name, carries out the channel views and the rear image flips, captures the current images to
// JPEG files and closes the recording; it tells the others when a recording opened or closed.
#pragma once

#include "playerstates.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class CControlTopDlg;
class CSovSkinButton;
class CSovStaticTrans;
class CVideoPlayer;
class MainLayout;
struct PlayerDialogs;

class RecordingSession : public QObject {
  Q_OBJECT
 public:
  struct Controls {
    CSovStaticTrans* fileName;
    CSovSkinButton* flipVertical;
    CSovSkinButton* flipHorizontal;
    CSovSkinButton* viewRear;
    CSovSkinButton* viewBoth;
  };

  RecordingSession(CVideoPlayer& player, MainLayout& layout, Controls controls, PlayerDialogs& dialogs,
                   std::function<QString(int)> loadUiString, QObject* parent = nullptr);
  ~RecordingSession() override;

  // The top bar of the extended view, whose name and flip buttons are twins of the window's.
  void SetTopBar(CControlTopDlg* topBar);
  // Whether recordings are listed from a card or a folder; flips and capture need a listing.
  void SetListingActive(std::function<bool()> listingActive) { listingActive_ = std::move(listingActive); }

  // Opens path into the engine and shows it; false (and openFailed) when it cannot be played.
  bool OpenRecording(const QString& path);
  // Stops and closes the engine, forgets the channel view and empties the file name.
  void Close();

  void OnViewFront();
  void OnViewRear();
  void OnViewBoth();
  // The command of the current channel view again (after a relayout).
  void RunChannelCommand();
  void OnFlipVertical();
  void OnFlipHorizontal();
  // Both flips off and their buttons unchecked (the card went away).
  void ResetFlips();
  void OnCapture();

  bool IsRunningOrPaused() const;
  int StreamCount() const;
  QString LoadedPath() const { return loadedPath_; }
  quint8 FlipVertical() const { return flipVertical_; }
  quint8 FlipHorizontal() const { return flipHorizontal_; }
  QString CaptureFolder() const { return captureFolder_; }

  // "%s_IMG_C%s.jpg" of the name's first 15 characters and its character at position 21.
  static QString CaptureInitialName(const QString& recordingName);
  // The chosen path without a ".jpg" extension (compared upper-cased); any other extension stays.
  static QString CaptureBasePath(const QString& chosen);

 signals:
  void recordingOpened(qint64 durationMs);
  void recordingClosed();
  void openFailed(const QString& path);

 private:
  void ToggleRearFlip(quint8& flag, int parameter);
  // The one place each twin is written: the window's control and the top bar's.
  void ShowFileName(const QString& name);
  void ShowFlips();

  CVideoPlayer& player_;
  MainLayout& layout_;
  Controls controls_;
  PlayerDialogs& dialogs_;
  std::function<QString(int)> loadUiString_;
  std::function<bool()> listingActive_;
  QPointer<CControlTopDlg> topBar_;

  QString loadedPath_;
  quint8 flipVertical_ = 0;
  quint8 flipHorizontal_ = 0;
  QString captureFolder_;
};
